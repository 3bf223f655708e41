// The program's own texts, kept by number as the program has always stored them: the help of the
// options dialog, its extension messages and the tools' completion message. A "#" in a text marks a
// line break for Resources::ReconstructString.
#pragma once

#include <QString>

class StringResources {
public:
    static constexpr int kTextFilterHelp = 101;
    static constexpr int kTextDisplayHelp = 102;
    static constexpr int kNotificationsHelp = 103;
    static constexpr int kSendToHelp = 104;
    static constexpr int kRtfFilterHelp = 105;
    static constexpr int kSearchStartupHelp = 106;
    static constexpr int kEditorsStartupHelp = 107;
    static constexpr int kShellLinkHelp = 108;
    static constexpr int kVariablesGathered = 109;
    static constexpr int kExtensionTooLong = 110;
    static constexpr int kExtensionNotAcceptable = 111;
    static constexpr int kExtensionEmpty = 112;
    static constexpr int kExtensionIllegal = 113;
    static constexpr int kMultiSelectHelp = 114;
    static constexpr int kDefaultTypeHelp = 115;

    // The text as stored; the empty text for a number that holds none.
    static QString Text(int id);
};
