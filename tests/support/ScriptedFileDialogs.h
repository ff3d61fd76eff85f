#pragma once

#include "platform/ui/FileDialogService.h"

#include <QList>
#include <QString>

// A FileDialogService for tests. While it lives it is the installed
// service; it answers the open and save dialogs with prepared paths (empty:
// cancelled) and keeps what the program asked for.
class ScriptedFileDialogs : public Slipdesk::FileDialogService
{
public:
    ScriptedFileDialogs() { FileDialogService::install(this); }
    ~ScriptedFileDialogs() override { FileDialogService::install(nullptr); }

    QString openFile(QWidget *, const OpenRequest &request) override
    {
        opened.append(request);
        if (request.chosenFilter)
            *request.chosenFilter = openFilter;
        return openAnswer;
    }
    QString saveFile(QWidget *, const OpenRequest &request) override
    {
        saved.append(request);
        return saveAnswer;
    }

    QString openAnswer;
    QString openFilter; // the filter the answer was chosen under (empty: none said)
    QString saveAnswer;
    QList<OpenRequest> opened;
    QList<OpenRequest> saved;
};
