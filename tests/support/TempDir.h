#pragma once

#include <QString>
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

private:
    QTemporaryDir m_dir;
};
