// The lines of a text handed over one at a time, without their ends, so that a document is
// written without first being gathered into one string.
#pragma once

#include <QStringView>

#include <functional>

// Takes the next line; false when it refused it, which ends the handing over.
using LineSink = std::function<bool(QStringView line)>;
// Hands every line in order to the sink; false when the sink refused one.
using LineSource = std::function<bool(const LineSink& sink)>;
