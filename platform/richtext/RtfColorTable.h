// The colour table of a document: entries ended by ";", each with its red, green and blue. An
// entry without them, as the first one mostly is, stands for the "auto" colour.
#pragma once

#include <QColor>

#include <vector>

class RtfColorTable {
public:
    void Clear() { colors_.clear(); }
    void SetRed(int value) { Set(red_, value); }
    void SetGreen(int value) { Set(green_, value); }
    void SetBlue(int value) { Set(blue_, value); }
    void End();

    // Invalid for "auto" and for an entry the table does not have.
    QColor Color(int index) const;

private:
    void Set(int& component, int value);

    std::vector<QColor> colors_;
    int red_ = 0;
    int green_ = 0;
    int blue_ = 0;
    bool set_ = false;
};
