#include "StringResources.h"

namespace {
struct Entry {
    int id;
    const char* text;
};

// Stored as written, spelling included: these texts are what the user has always seen.
const Entry kTexts[] = {
    {101, "You can change which files the QLX considers to be Text-Files, and therefore handled by the "
          "TXT editor by defining the TXT file Filters.  ##Enter the three or four character extention "
          "into the 'Define Filter' box, and press the ADD button.  If the extention does not already "
          "exist in the list, the extention will be added. ##To remove an extension, select the filter "
          "in the list, and press the Remove button."},
    {102, "You can select the default font and size that the TXT Editor displays documents."},
    {103, "The QLX can disable the completion notifications that pop up when you run such tools as the "
          "'Gather Dir' and 'Gather Environmental Variables'. ##You may not wish to have these "
          "notifications pop up at the completion.  In that event, check the box to disable further "
          "completion notifications.##Any time you wish to re-enable the notifications, remove the "
          "check from the box."},
    {104, "The QLX can place an icon into your SendTo menu, which appears from the context-sensitive "
          "menu in the Windows Explorer.##When the Quillon Editor Icon appears in the SendTo menu, you "
          "can right-click on a file, and select the QLX icon under the SendTo menu to have the QLX\" "
          "& \"load the file for your editing.  This is essentially a quick way for you to open the "
          "file.##If you remove the check from the box, then the QLX will remove the SendTo Icon from "
          "your Windows System."},
    {105, "You can change which files the QLX considers to be RTF-Files, and therefore handled by the "
          "RTF editor by defining the RTF file Filters. ##Enter the three or four character extention "
          "into the 'Define Filter' box, and press the ADD button.  If the extention does not already "
          "exist in the list, the extention will be added.##To remove an extension, select the filter "
          "in the list, and press the Remove button."},
    {106, "You can change the default startup position of the Search / Replace dialog box from the top "
          "right corner of your screen, to the top right corner of the QLX shell.##If selected, the "
          "Search / Replace dialog will start up contained in the QLX shell.  Deselect to have Search "
          "/ Replace start up at top of screen."},
    {107, "If this option is checked, then each editor will open up maximized in the QLX "
          "Shell.##Otherwise, the editors will open up in a floating windows within the shell."},
    {108, "You can add a context menu item for all files by selecting this optoin.##Once selected, any "
          "time you right-click on an object, an action item called 'Quillon Editor' is displayed  on "
          "your pop-up menu.  Selecting this will cause the highlighted file to be opened with the "
          "QLX.##To remove this context shell link, deselect the box."},
    {109, "The system variables and values have been placed on the Windows Clipboard.  You may paste "
          "the results into any appropriate QLX Editor, or external program."},
    {110, "Windows only recognizes 4 character or less extention lengths.##The extention "},
    {111, " is not acceptable.  If you wish to associate this extension, follow these steps:##1) "
          "Create a blank document in the Windows Explorer with the extension you want to use#2) "
          "Right-Click on the new document and select Properties#3) Note the MS-DOS file name.  This 3 "
          "character extension is what you need to enter here."},
    {112, "You can not associate a zero length extension."},
    {113, "You have entered illegal characters for your desired extention. ##Windows does not "
          "recogzine the symbols: "},
    {114, "You can choose to allow the QLX to open multiple documents at once from any of the Open "
          "dialog boxes.  Deselecting this option returns the QLX to single-file open mode."},
    {115, "You can change which type of file is your default open filter type to save time when "
          "opening documents.  Use the radio buttons under each file type to dictate which is "
          "initially filtered."},
};
} // namespace

QString StringResources::Text(int id) {
    for (const Entry& entry : kTexts) {
        if (entry.id == id)
            return QString::fromLatin1(entry.text);
    }
    return QString();
}
