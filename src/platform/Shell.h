#pragma once

#include <QString>
#include <QUrl>

namespace Slipdesk {

// The program's links to the outside: the online help page and the about box.
class Shell
{
public:
    // The application title shown in the about box's title bar.
    static QString applicationTitle();
    static QUrl helpUrl();
    static QUrl shopUrl();

    // Opens the online help in the default browser. When no browser can be
    // started the user is told the address instead; returns whether it opened.
    static bool openHelp();

    // The text of the about box: the main window's caption on the first line,
    // then the maker's shop.
    static QString aboutText(const QString &windowCaption);
};

} // namespace Slipdesk
