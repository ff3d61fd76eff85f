#pragma once

#include <QString>
#include <QtGlobal>

class QWidget;

namespace Slipdesk {

// The open- and save-file dialogs. The desktop uses a real Qt dialog; tests install a
// scripted service so that no test ever waits on a dialog.
class FileDialogService
{
public:
    struct OpenRequest
    {
        QString caption;
        QString directory; // folder the dialog starts in
        QString filter; // Qt filter text, e.g. "信函背景图片 (*.jpg *.jpeg)"
        QString defaultSuffix; // added to a typed name without one, e.g. "jpg"
        QString *chosenFilter = nullptr; // when set, gets the filter the file was chosen under (open)
    };

    virtual ~FileDialogService() = default;

    // The chosen file's full path; empty when the user cancelled.
    virtual QString openFile(QWidget *parent, const OpenRequest &request) = 0;
    // The save dialog: `request.directory` may name the proposed file; the
    // dialog asks before it overwrites a file. Empty when cancelled (the
    // default, for services that only open files).
    virtual QString saveFile(QWidget *parent, const OpenRequest &request)
    {
        Q_UNUSED(parent);
        Q_UNUSED(request);
        return QString();
    }

    // The service the program uses; never null (a Qt one is created on first use).
    static FileDialogService &instance();
    // Replaces the service (tests); the caller keeps ownership. nullptr restores
    // the default.
    static void install(FileDialogService *service);
};

} // namespace Slipdesk
