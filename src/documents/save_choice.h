// The file a save writes: the save dialog's answer made whole.
#pragma once

#include "platform/file_dialog.h"
#include "platform/message_box.h"

namespace qv {

// Shows the save dialog of request and completes its answer: a name typed
// without an extension gets the chosen filter's (WithFilterExtension). The
// dialog asked about the name as typed; when the completed name is another
// that exists, asks "The file "<path>" already exists. Do you want to
// replace it?" (Yes/No, title "Note", exclamation icon), and No gives a
// cancelled result: nothing is saved.
FileDialogResult ChooseFileToSave(FileDialogService& dialogs, MessageBoxService& messages,
                                  const FileDialogRequest& request);

}  // namespace qv
