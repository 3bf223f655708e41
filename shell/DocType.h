// The four kinds of document, numbered as the shell's slot tables and settings have them.
#pragma once

enum class DocType { INI = 1, REG = 2, RTF = 3, TXT = 4 };
