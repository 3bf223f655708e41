// The text measurements, each done the program's way ("ours") and the bare toolkit's way. Each
// runs in a fresh process, prepares untimed and returns the milliseconds of the timed part.
#pragma once

#include <QString>

class TextBench {
public:
    TextBench(const QString& input, const QString& folder) : input_(input), folder_(folder) {}

    // Read, decode and show in the text window.
    double OpenOurs() const;
    double OpenBare() const;
    // Write the open text to a file: the program's whole save (check, encode, replace) against
    // the toolkit's QString::toUtf8 written through QSaveFile.
    double SaveOurs() const;
    double SaveBare() const;
    // Find Next from the start of the text of a word that occurs only at its end.
    double FindOurs() const;
    double FindBare() const;

private:
    QString input_;
    QString folder_;
};
