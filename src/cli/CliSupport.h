#pragma once

// What the commands of slipdesk-cli share: output, exit codes, the data
// folder, and the field, goods and note files the commands read.

#include "forms/FieldValues.h"
#include "storage/Paths.h"
#include "trade/TradeNote.h"

#include <QString>

#include <cstdio>
#include <optional>

class QCommandLineParser;

namespace Slipdesk {

class AppContext;

namespace Cli {

enum Exit { Done = 0, Failed = 1, Usage = 2 };

// `text` and a line break, as UTF-8.
void writeTo(FILE *stream, const QString &text);
void printLine(const QString &text);
// "command: message" on standard error; returns `code`.
int fail(const QString &command, const QString &message, int code = Failed);

Paths dataFolder();
// The virtual PDF printer of --print-to (else SLIPDESK_PRINT_TO), as the window's --print-to.
void configurePrinter(const QCommandLineParser &parser);

// A FILE of UTF-8 lines ControlName=value. False (and `error`) when it
// cannot be read, is no regular file or is larger than 1 MB.
bool readFieldFile(const QString &path, FieldValues *values, QString *error);

// Why the command's --template NAME cannot be used: a name that is no
// file-name stem, refused as the template manager refuses it. Empty when it
// may be used (or none is given).
QString templateNameRefusal(const QCommandLineParser &parser);

// Why template `name` of `kind` cannot be used: it is not in the data
// folder's template list ("快递单模版“X”不存在。"). Empty when it can.
QString templateRefusal(const Paths &paths, int kind, const QString &name);

// "delivery" or "inbound": the note kind of a command.
std::optional<NoteKind> noteKind(const QString &word);

// The note of a command with --template, --fields and --goods: the tab's
// fields after loading the template, the fields and goods files over them.
// Empty `error` when read.
TradeNote readNote(AppContext &context, NoteKind kind, const QCommandLineParser &parser, QString *error);

} // namespace Cli
} // namespace Slipdesk
