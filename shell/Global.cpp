#include "Global.h"

Global::Global(QString applicationPath_, QString commandLine_)
    : applicationPath(std::move(applicationPath_)), commandLine(std::move(commandLine_)) {}
