#pragma once
// TVeskEncryption: turns a text into a scrambled hexadecimal text and back under a text key. It keeps
// casual readers from the stored values of a table file; it is not a cipher.
#include <QByteArray>
#include <QString>
#include <functional>

enum TActionType { atEncryption = 0, atDecryption = 1 };

class TVeskEncryption {
public:
    // Gives the start byte of each scrambling, 0..255. Tests install a fixed source.
    using RandomSource = std::function<int()>;

    TVeskEncryption();

    QString Input() const { return input_; }
    void SetInput(const QString& value);
    QString Output() const { return output_; }
    void SetOutput(const QString& value);
    QString Key() const { return key_; }
    void SetKey(const QString& value);
    TActionType Action = atEncryption;

    // Output := the scrambled (or unscrambled) Input; an empty Input gives an empty Output.
    // Unscrambling a text that is not pairs of hexadecimal digits throws EConvertError.
    void Execute();
    // Works on the text's UTF-8 bytes; unscrambled bytes that are not UTF-8 read as Windows-1252.
    QString ScrambleString(const QString& Input, const QString& Key, bool Encrypt);

    // The byte layer under ScrambleString: start is the first (chaining) byte, 0..255.
    static QString ScrambleBytes(const QByteArray& bytes, const QString& Key, int start);
    static QByteArray UnscrambleBytes(const QString& scrambled, const QString& Key);

    void SetRandomSource(RandomSource source);

private:
    QString input_;
    QString output_;
    QString key_;
    RandomSource random_;
};
