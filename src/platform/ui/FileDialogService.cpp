#include "FileDialogService.h"

#include <QFileDialog>
#include <QStringList>

#include <memory>

namespace Slipdesk {

namespace {

class QtFileDialogService : public FileDialogService
{
public:
    QString openFile(QWidget *parent, const OpenRequest &request) override
    {
        QFileDialog dialog(parent, request.caption, request.directory, request.filter);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        if (!request.defaultSuffix.isEmpty())
            dialog.setDefaultSuffix(request.defaultSuffix);
        if (dialog.exec() != QDialog::Accepted)
            return QString();
        if (request.chosenFilter)
            *request.chosenFilter = dialog.selectedNameFilter();
        const QStringList files = dialog.selectedFiles();
        return files.value(0);
    }

    QString saveFile(QWidget *parent, const OpenRequest &request) override
    {
        QFileDialog dialog(parent, request.caption, request.directory, request.filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        if (!request.defaultSuffix.isEmpty())
            dialog.setDefaultSuffix(request.defaultSuffix);
        if (dialog.exec() != QDialog::Accepted)
            return QString();
        return dialog.selectedFiles().value(0);
    }
};

FileDialogService *g_installed = nullptr;
std::unique_ptr<FileDialogService> g_default;

} // namespace

FileDialogService &FileDialogService::instance()
{
    if (g_installed)
        return *g_installed;
    if (!g_default)
        g_default = std::make_unique<QtFileDialogService>();
    return *g_default;
}

void FileDialogService::install(FileDialogService *service)
{
    g_installed = service;
}

} // namespace Slipdesk
