#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A fresh data folder per test, removed afterwards.
class TempDir
{
public:
    TempDir();
    QString path() const; // with a trailing '/'
    QString file(const QString &relative) const;
    void write(const QString &relative, const QByteArray &bytes) const;
    QByteArray read(const QString &relative) const;
    bool exists(const QString &relative) const;
    // A text table at the absolute `path`: GBK lines each ended by CR LF.
    static void writeLines(const QString &path, const QStringList &lines);

private:
    QTemporaryDir m_dir;
};
