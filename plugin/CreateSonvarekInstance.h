#pragma once
// The instance factory that the binding's creation procedure calls.

class Sonvarek;

// Runs construct (which allocates and constructs one plug-in object, e.g.
// `[]() -> Sonvarek* { return new Sonvarek; }`) under the process-wide factory
// lock, so that instances are built one at a time. Returns the object, or
// null when the allocation or the constructor fails (the memory is then
// freed and the lock released). Any thread.
Sonvarek* CreateSonvarekInstance(Sonvarek* (*construct)());
