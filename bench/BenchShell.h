// The program's main window in the bench's own folders, so the editors are measured as users meet
// them: opened through the opener into their real document windows.
#pragma once

#include "ChildRun.h"
#include "DocType.h"

#include <QString>

#include <memory>

class DocumentWindow;
class Global;
class mdform_QLEditor;

class BenchShell {
public:
    // folder: where the settings store and the user's folders of the run go.
    explicit BenchShell(const QString& folder);
    ~BenchShell();

    // Opens the file with the editor of its kind and serves the event queue until it is idle.
    DocumentWindow* Open(const QString& path, DocType type);
    // Opens a fresh copy of the input, timed and recorded: a window saves to the file it opened,
    // and the input must stay as generated.
    DocumentWindow* OpenCopy(const QString& input, const QString& copy, DocType type,
                             const ChildRun::Record& record);

private:
    std::unique_ptr<Global> global_;
    std::unique_ptr<mdform_QLEditor> main_;
};
