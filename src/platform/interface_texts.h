// The program's own questions and their buttons, in the language of the interface.
#pragma once

#include <QString>

class IniFile;

namespace interfacetexts {

// Texts that no window holds, so that the relabelling of controls cannot reach them. Language
// files give them in the section [Messages] under the key named in the table.
enum Text {
    SaveChangesQuestion, // %1: the page's file name
    SaveButton,
    DiscardButton,
    CancelButton,
    LossySaveQuestion, // %1: the character, %2: its line
    WriteButton,
    PreviewCaption, // the message preview's header, before any " [!]"
    AddressRefused, // %1: the address the view will not open
    NoPageBack,
    NoPageForward,
    CannotOpenInBrowser, // %1: the address the desktop's browser could not open
    RecoveredText,
    DiscardRecoveredButton,
    KeepButton,
    RecentPageMissing, // %1: the path
    ChangedOutside,    // %1: the page's file name
    DeletedOutside,    // %1: the page's file name
    ReloadButton,
    ReloadQuestion,    // %1: the page's file name
    OverwriteQuestion, // %1: the page's file name
    OverwriteButton,
    AddToDictionary,
    DictionaryMissing, // %1: the language
    // Tag problems, in the order of the checker's kinds: %1 the faulty text, %2 what is right.
    ProblemUnknownTag,
    ProblemOpenCaret,
    ProblemWrongParts,
    ProblemNotANumber,
    ProblemBadColor,
    ProblemBadAlignment,
    ProblemEmptyReference,
    ProblemBadRunValue,
    ProblemCount,    // status bar: %1 the number of tag problems
    OneLineLength,   // status bar and Convert window: %1 the length of the one-line form
    SiteViewCaption, // the site view's header
    SectionLinkText, // the site view's link texts of references; %1 the number
    FileLinkText,
    ArticleLinkText,
    PictureCaption,  // a picture without a caption; %1 its number
    ExportHtmlTitle, // the save dialog of the HTML export
    HtmlFiles,       // its file type
    ProblemLine,     // the problem list's three columns
    ProblemColumn,
    ProblemMessage,
    UntitledName,        // the name of a page not yet saved
    PageFilesFilter,     // the file dialogs' filters
    AllFilesFilter,
    UserLinkTitle, // the reference input boxes: title and prompt of each
    UserLinkPrompt,
    SectionLinkTitle,
    SectionLinkPrompt,
    FileLinkTitle,
    FileLinkPrompt,
    ArticleLinkTitle,
    ArticleLinkPrompt,
    CannotOpenFile,   // %1: the file, %2: the system's reason
    CannotCreateFile, // %1: the file, %2: the system's reason
    SearchNotFound,   // %1: the text searched for
    ReplacedCount,    // %1: how many, %2: the text replaced
    FindCaption,      // the captions of the search messages
    ReplaceCaption,
    TextCount
};

// The current text: the language file's, or the built-in Russian one.
QString text(Text which);

// The key of the text in the section [Messages], and its built-in text.
QString keyOf(Text which);
QString builtIn(Text which);

// Takes every text from this language file; a missing key gives the built-in text.
void load(const IniFile &languageFile);

} // namespace interfacetexts
