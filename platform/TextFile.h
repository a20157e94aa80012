#pragma once
// Reading and writing whole text files the way every file of the program is handled.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace TextFile {
// Decodes UTF-8 (one leading BOM is dropped, a second one is text); bytes that are not valid UTF-8
// are read as Windows-1252.
QString Decode(const QByteArray& bytes);
// Reads and decodes a file. Throws EInOutError when it is missing or cannot be read.
QString Read(const QString& path);
// The lines of a text (CR LF, LF or CR endings); a last line without ending counts, a final ending does
// not add an empty line.
QStringList SplitLines(const QString& text);
// SplitLines of the file's text. Throws EInOutError.
QStringList ReadLines(const QString& path);
// Writes through a temporary file renamed over the target, so a failure leaves the old file whole.
// Throws EInOutError.
void WriteAtomic(const QString& path, const QByteArray& bytes);
} // namespace TextFile
