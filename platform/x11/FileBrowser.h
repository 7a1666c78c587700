#pragma once
// The folder a file dialog shows: its subfolders and the files that match
// the dialog's patterns, and going into folders. [UI thread]

#include "platform/x11/Dialog.h"

#include <string>
#include <vector>

class FileBrowser : public DialogList
{
public:
    // Shows the folder of startingPath (all of it when it ends in '/');
    // patterns as "*.fxp;*.png" (empty: every file), matched ignoring case.
    FileBrowser(const std::string& startingPath, const std::string& patterns);

    // The folder shown, absolute (see CleanFolder).
    const std::string& Folder() const { return folder; }

    // "../" (but in the root), the subfolders as "name/", then the files,
    // each sorted by name ignoring case; hidden names (".name") are left
    // out. A folder that cannot be read shows "../" alone.
    const std::vector<std::string>& Rows() const override { return rows; }
    // The row's path (a folder's ends in '/').
    std::string TextOf(size_t row) const override;
    // A field naming a folder other than the one shown (a relative path is
    // taken in it, ".." by the text even where the shown folder is
    // missing): that folder is shown and the field holds it, ending in '/'.
    // A blank field, a file or a missing path open nothing.
    bool Open(std::string& field) override;

private:
    void Read();

    std::string folder;
    std::vector<std::string> patterns;
    std::vector<std::string> rows;
};
