#include "editor/page_commands.h"

#include "editor/find_replace_dialog.h"
#include "editor/finish_window.h"
#include "editor/highlighting_memo.h"
#include "platform/codepage.h"
#include "platform/error_display.h"
#include "platform/fonts.h"
#include "platform/interface_texts.h"
#include "platform/page_file.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFontInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTextCursor>

namespace {

QStringList fileFilters()
{
    // "*" rather than "*.*": on Linux many files have no extension, and "all files" means all.
    return {interfacetexts::text(interfacetexts::PageFilesFilter),
            interfacetexts::text(interfacetexts::AllFilesFilter)};
}

QString uiText(interfacetexts::Text which)
{
    return interfacetexts::text(which);
}

QString displayName(const QString &pageFileName)
{
    return QFileInfo(pageFileName).fileName();
}

PageCommands::Answer askWithMessageBox(QWidget *parent, const QString &question)
{
    QMessageBox box(QMessageBox::Warning, PageCommands::applicationTitle(), question,
                    QMessageBox::NoButton, parent);
    QPushButton *save = box.addButton(uiText(interfacetexts::SaveButton), QMessageBox::AcceptRole);
    QPushButton *discard =
        box.addButton(uiText(interfacetexts::DiscardButton), QMessageBox::DestructiveRole);
    QPushButton *cancel =
        box.addButton(uiText(interfacetexts::CancelButton), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return PageCommands::Answer::Save;
    if (box.clickedButton() == discard)
        return PageCommands::Answer::Discard;
    return PageCommands::Answer::Cancel;
}

// "U+1F600" style name of a code point, with the character itself when it is printable.
QString describe(char32_t character)
{
    const QString code =
        QStringLiteral("U+%1").arg(uint(character), 4, 16, QLatin1Char('0')).toUpper();
    const QString glyph = QString::fromUcs4(&character, 1);
    if (QChar::isPrint(character))
        return QStringLiteral("«%1» (%2)").arg(glyph, code);
    return code;
}

} // namespace

QString PageCommands::untitledName()
{
    return interfacetexts::text(interfacetexts::UntitledName);
}
QString PageCommands::applicationTitle()
{
    return QString::fromLatin1(errordisplay::ApplicationTitle);
}
bool PageCommands::confirmWithMessageBox(QWidget *parent, const QString &question,
                                         const QString &yes)
{
    QMessageBox box(QMessageBox::Warning, applicationTitle(), question, QMessageBox::NoButton,
                    parent);
    QPushButton *yesButton = box.addButton(yes, QMessageBox::AcceptRole);
    QPushButton *cancel =
        box.addButton(uiText(interfacetexts::CancelButton), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == yesButton;
}

QFont PageCommands::designFont()
{
    return fonts::make(QStringLiteral("Lucida Console"), 10);
}

void PageCommands::setWordWrap(TMemo *memo, bool on)
{
    memo->setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setHorizontalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn);
}

bool PageCommands::wordWrap(const TMemo *memo)
{
    return memo->lineWrapMode() != QPlainTextEdit::NoWrap;
}

PageCommands::PageCommands(insertion::ActiveMemo activeMemo, QWidget *window)
    : QObject(window)
    , m_activeMemo(std::move(activeMemo))
    , m_window(window)
    , PageFileName(untitledName())
    , m_fontDialogFont(designFont())
{
    if (window)
        window->installEventFilter(this);
    chooseFile = [this](FileChoice choice, const QString &lastName) {
        return chooseWithDialog(choice, lastName);
    };
    chooseFont = [this](const QFont &initial) -> std::optional<QFont> {
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, initial, m_window);
        if (!ok)
            return std::nullopt;
        return font;
    };
    askSaveChanges = [this](const QString &question) {
        return askWithMessageBox(m_window, question);
    };
    confirmLossySave = [this](const QString &question) {
        return confirmWithMessageBox(m_window, question, uiText(interfacetexts::WriteButton));
    };
    showFinishWindow = [](TFinishF *finish) { finish->exec(); };
    mayOverwrite = [](const QString &) { return true; };
}

PageCommands::~PageCommands() = default;

TMemo *PageCommands::active() const
{
    return m_activeMemo ? m_activeMemo() : nullptr;
}

bool PageCommands::isUntitled() const
{
    return m_untitled;
}

bool PageCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::LanguageChange && m_untitled &&
        PageFileName != untitledName())
        setPageFileName(untitledName());
    return QObject::eventFilter(watched, event);
}

QString PageCommands::caption() const
{
    return displayName(PageFileName) + QStringLiteral(" - ") + applicationTitle();
}

void PageCommands::setPageFileName(const QString &name)
{
    // Every path the program gets from a dialog or the command line is absolute.
    m_untitled = name == untitledName();
    PageFileName = name;
    emit pageFileNameChanged(PageFileName);
}

FindDialog *PageCommands::findDialog()
{
    if (!JvFindReplace1)
        JvFindReplace1 = new FindDialog(m_activeMemo, m_window);
    return JvFindReplace1;
}

ReplaceDialog *PageCommands::replaceDialog()
{
    if (!JvFindReplace2)
        JvFindReplace2 = new ReplaceDialog(m_activeMemo, m_window);
    return JvFindReplace2;
}

TFinishF *PageCommands::finishWindow()
{
    if (!m_finishWindow)
        m_finishWindow = new TFinishF(m_window);
    return m_finishWindow;
}

void PageCommands::setFinishWindow(TFinishF *window)
{
    m_finishWindow = window;
}

QString PageCommands::chooseWithDialog(FileChoice choice, const QString &lastName)
{
    QPointer<QFileDialog> &dialog = choice == FileChoice::Open ? OpenDialog1 : SaveDialog1;
    if (!dialog) {
        dialog = new QFileDialog(m_window);
        dialog->setObjectName(choice == FileChoice::Open ? QStringLiteral("OpenDialog1")
                                                         : QStringLiteral("SaveDialog1"));
        dialog->setNameFilters(fileFilters());
        if (choice == FileChoice::Open) {
            dialog->setAcceptMode(QFileDialog::AcceptOpen);
            dialog->setFileMode(QFileDialog::ExistingFile);
        } else {
            dialog->setAcceptMode(QFileDialog::AcceptSave);
            dialog->setFileMode(QFileDialog::AnyFile);
            dialog->setDefaultSuffix(QStringLiteral("mv"));
        }
    }
    dialog->selectNameFilter(fileFilters().first());
    if (!lastName.isEmpty())
        dialog->selectFile(lastName);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return {};
    return dialog->selectedFiles().first();
}

// --- Files ------------------------------------------------------------------------------------

bool PageCommands::confirmDiscard(TMemo *memo)
{
    if (!memo || !memo->document()->isModified())
        return true;
    const QString question =
        uiText(interfacetexts::SaveChangesQuestion).arg(displayName(PageFileName));
    switch (askSaveChanges(question)) {
    case Answer::Save:
        return savePage(memo);
    case Answer::Discard:
        return true;
    case Answer::Cancel:
        break;
    }
    return false;
}

bool PageCommands::writePage(TMemo *memo, const QString &path)
{
    const QString text = memo->text();
    if (const auto lost = cp1251::firstUnencodable(text)) {
        const qsizetype line = text.left(lost->position).count(QLatin1Char('\n')) + 1;
        const QString question =
            uiText(interfacetexts::LossySaveQuestion).arg(describe(lost->character)).arg(line);
        if (!confirmLossySave(question))
            return false;
    }
    if (mayOverwrite && !mayOverwrite(path))
        return false;
    QString error;
    const QByteArray bytes = pagefile::fromText(text);
    if (!pagefile::write(path, bytes, &error)) {
        errordisplay::show(error, m_window);
        return false;
    }
    emit pageFileSynced(path, bytes);
    memo->document()->setModified(false);
    emit pageWritten(memo, text);
    return true;
}

bool PageCommands::savePage(TMemo *memo)
{
    if (!isUntitled())
        return writePage(memo, PageFileName);
    return savePageAs(memo);
}

bool PageCommands::savePageAs(TMemo *memo)
{
    const QString path = chooseFile(FileChoice::Save, m_lastSaveName);
    if (path.isEmpty())
        return false;
    m_lastSaveName = path;
    if (!writePage(memo, path))
        return false;
    setPageFileName(path);
    return true;
}

bool PageCommands::openFile(const QString &path)
{
    return openFileInto(active(), path);
}

bool PageCommands::openFileInto(TMemo *memo, const QString &path)
{
    QByteArray bytes;
    QString error;
    if (!memo)
        return false;
    // As on the disk: the watch for changes by other programs compares these bytes.
    if (!pagefile::readRaw(path, &bytes, &error)) {
        errordisplay::show(error, m_window);
        return false;
    }
    memo->setText(pagefile::toText(bytes));
    memo->document()->setModified(false);
    setPageFileName(path);
    emit pageFileSynced(path, bytes);
    return true;
}

void PageCommands::restorePageFileName(const QString &name)
{
    setPageFileName(name.isEmpty() ? untitledName() : name);
}

void PageCommands::new1Click()
{
    TMemo *memo = active();
    if (!memo || !confirmDiscard(memo))
        return;
    setPageFileName(untitledName());
    memo->setText(QString());
    memo->document()->setModified(false);
}

void PageCommands::open1Click()
{
    TMemo *memo = active();
    if (!memo || !confirmDiscard(memo))
        return;
    const QString path = chooseFile(FileChoice::Open, m_lastOpenName);
    if (path.isEmpty())
        return;
    m_lastOpenName = path;
    openFile(path);
}

void PageCommands::save1Click()
{
    if (TMemo *memo = active())
        savePage(memo);
}

void PageCommands::saveas1Click()
{
    if (TMemo *memo = active())
        savePageAs(memo);
}

// --- Editing ----------------------------------------------------------------------------------
// The clipboard gets the text area's own characters: QPlainTextEdit::copy() would turn the
// no-break space into a blank on the way.

void PageCommands::undo1Click()
{
    if (TMemo *memo = active())
        memo->undo();
}

void PageCommands::cut1Click()
{
    TMemo *memo = active();
    if (!memo || memo->isReadOnly() || !memo->textCursor().hasSelection())
        return;
    QApplication::clipboard()->setText(memo->selectedText());
    memo->textCursor().removeSelectedText();
}

void PageCommands::copy1Click()
{
    TMemo *memo = active();
    if (!memo || !memo->textCursor().hasSelection())
        return;
    QApplication::clipboard()->setText(memo->selectedText());
}

void PageCommands::paste1Click()
{
    TMemo *memo = active();
    // Only into the text area the user is typing in: a paste aimed at another control must
    // not land in a text area out of sight.
    if (memo && memo->hasFocus())
        memo->paste();
}

void PageCommands::delete1Click()
{
    TMemo *memo = active();
    if (memo && !memo->isReadOnly())
        memo->textCursor().removeSelectedText();
}

void PageCommands::clear1Click()
{
    TMemo *memo = active();
    if (!memo || memo->isReadOnly())
        return;
    // Through the cursor, so that Undo brings the text back; a page still arriving is taken
    // whole, or its rest would arrive after the clearing.
    memo->finishLoading();
    QTextCursor cursor(memo->document());
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
}

void PageCommands::selectall1Click()
{
    if (TMemo *memo = active())
        memo->selectAll();
}

void PageCommands::CopyAll1Click()
{
    TMemo *memo = active();
    if (!memo)
        return;
    memo->selectAll();
    QApplication::clipboard()->setText(memo->text());
    // Pasting the same text back over the selection leaves the text as it was and the caret
    // at its end; a read-only area refuses the paste and keeps the whole text selected. The
    // outcome is made directly, so that the text does not count as changed.
    if (!memo->isReadOnly()) {
        QTextCursor cursor = memo->textCursor();
        cursor.movePosition(QTextCursor::End);
        memo->setTextCursor(cursor);
    }
}

// --- Search -----------------------------------------------------------------------------------

void PageCommands::find1Click()
{
    TMemo *memo = active();
    FindDialog *dialog = findDialog();
    dialog->setFindText(memo ? memo->selectedText() : QString());
    dialog->present();
}

void PageCommands::findnext1Click()
{
    findDialog()->present();
}

void PageCommands::replace1Click()
{
    replaceDialog()->present();
}

// --- Font, word wrap, read-only ---------------------------------------------------------------

void PageCommands::font1Click()
{
    TMemo *memo = active();
    if (!memo)
        return;
    // A family the system lacks would open the dialog on some unrelated font, and OK would
    // then change the text's font; it opens on the family actually drawn instead.
    QFont start = m_fontDialogFont;
    start.setFamily(QFontInfo(start).family());
    // Named by its style as drawn ("Book", "Bold"): a font without a style name made the dialog
    // guess, and it chose "Oblique" for an upright font.
    start.setStyleName(QFontInfo(start).styleName());
    if (const auto font = chooseFont(start)) {
        m_fontDialogFont = *font;
        memo->setFont(*font);
    }
}

void PageCommands::WordWrap1Click()
{
    TMemo *memo = active();
    if (!memo)
        return;
    const bool on = !wordWrap(memo);
    setWordWrap(memo, on);
    emit wordWrapChanged(on);
}

void PageCommands::readonly1Click(bool ticked)
{
    if (TMemo *memo = active())
        memo->setReadOnly(ticked);
}

// --- Convert ----------------------------------------------------------------------------------

void PageCommands::Convert1Click()
{
    TMemo *memo = active();
    if (!memo)
        return;
    // Joining the displayed lines gives the whole text without its line breaks: a wrapped
    // line keeps the blanks it wrapped at, and a closing line break adds no line. Working on
    // the text itself keeps lines of any length whole.
    QString joined = memo->text();
    joined.remove(QLatin1Char('\n'));
    TFinishF *finish = finishWindow();
    finish->setResult(joined);
    showFinishWindow(finish);
}
