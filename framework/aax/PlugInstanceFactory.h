#pragma once
// The seam between the binding's creation procedure and the plug-in class:
// defined by the plug-in layer (its instance factory), which the module links
// in; while it is not linked, the module links a stand-in that makes nothing.

class IPlugAAX;

// Any host thread: a new plug-in instance, or null when none could be made.
// Lets no exception out.
IPlugAAX* CreatePlugInstance();
