#include "editor/find_replace_dialog.h"

#include "editor/highlighting_memo.h"
#include "platform/interface_texts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>
#include <QVBoxLayout>

#include <limits>

namespace textsearch {

namespace {

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

bool isWholeWord(const QString &text, qsizetype at, qsizetype length)
{
    if (at > 0 && isWordChar(text.at(at - 1)))
        return false;
    const qsizetype end = at + length;
    return end >= text.size() || !isWordChar(text.at(end));
}

} // namespace

qsizetype find(const QString &text, const QString &what, qsizetype from, const Options &options)
{
    if (what.isEmpty())
        return -1;
    const Qt::CaseSensitivity cs = options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (options.down) {
        for (qsizetype at = text.indexOf(what, qMax<qsizetype>(from, 0), cs); at >= 0;
             at = text.indexOf(what, at + 1, cs)) {
            if (!options.wholeWord || isWholeWord(text, at, what.size()))
                return at;
        }
        return -1;
    }
    // Upwards the hit must lie wholly before the selection start.
    qsizetype last = qMin(from, text.size()) - what.size();
    while (last >= 0) {
        const qsizetype at = text.lastIndexOf(what, last, cs);
        if (at < 0)
            return -1;
        if (!options.wholeWord || isWholeWord(text, at, what.size()))
            return at;
        last = at - 1;
    }
    return -1;
}

bool sameText(const QString &selected, const QString &what, bool matchCase)
{
    return !what.isEmpty() &&
           selected.compare(what, matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive) == 0;
}

} // namespace textsearch

// ---------------------------------------------------------------------------------------------

FindReplaceBase::FindReplaceBase(insertion::ActiveMemo activeMemo,
                                 interfacetexts::Text messageCaption, QWidget *parent)
    : QDialog(parent), m_activeMemo(std::move(activeMemo)), m_messageCaption(messageCaption)
{
    setModal(false);
    m_findEdit = new QLineEdit(this);
    m_findEdit->setObjectName(QStringLiteral("FindText"));
    m_findEdit->setMaxLength(
        std::numeric_limits<int>::max()); // a long selection is searched for whole
    m_wholeWord = new QCheckBox(QStringLiteral("Только слово целиком"), this);
    m_wholeWord->setObjectName(QStringLiteral("WholeWord"));
    m_matchCase = new QCheckBox(QStringLiteral("С учетом регистра"), this);
    m_matchCase->setObjectName(QStringLiteral("MatchCase"));
    m_findNextButton = new QPushButton(QStringLiteral("Найти далее"), this);
    m_findNextButton->setObjectName(QStringLiteral("FindNextButton"));
    m_findNextButton->setDefault(true);
    m_cancelButton = new QPushButton(QStringLiteral("Отмена"), this);
    m_cancelButton->setObjectName(QStringLiteral("CancelButton"));
    for (QPushButton *button : {m_findNextButton, m_cancelButton})
        button->setMinimumWidth(110);

    inform = [this](const QString &caption, const QString &text) {
        QMessageBox::information(this, caption, text);
    };

    connect(m_findNextButton, &QPushButton::clicked, this, [this] { findNext(); });
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::hide);
    connect(m_findEdit, &QLineEdit::textChanged, this, &FindReplaceBase::updateButtons);
    needsFindText(m_findNextButton);
}

QString FindReplaceBase::findText() const
{
    return m_findEdit->text();
}

void FindReplaceBase::setFindText(const QString &text)
{
    m_findEdit->setText(text);
    m_findEdit->selectAll();
}

bool FindReplaceBase::matchCase() const
{
    return m_matchCase->isChecked();
}
bool FindReplaceBase::wholeWord() const
{
    return m_wholeWord->isChecked();
}
void FindReplaceBase::setMatchCase(bool on)
{
    m_matchCase->setChecked(on);
}
void FindReplaceBase::setWholeWord(bool on)
{
    m_wholeWord->setChecked(on);
}

void FindReplaceBase::present()
{
    show();
    raise();
    activateWindow();
    m_findEdit->setFocus();
    m_findEdit->selectAll();
}

void FindReplaceBase::needsFindText(QPushButton *button)
{
    m_searchButtons.append(button);
    updateButtons();
}

void FindReplaceBase::updateButtons()
{
    // As in the system's find box, there is nothing to search for without a find text.
    for (QPushButton *button : m_searchButtons)
        button->setEnabled(!m_findEdit->text().isEmpty());
}

textsearch::Options FindReplaceBase::searchOptions() const
{
    textsearch::Options options;
    options.down = searchesDown();
    options.matchCase = matchCase();
    options.wholeWord = wholeWord();
    return options;
}

void FindReplaceBase::notFound()
{
    inform(interfacetexts::text(m_messageCaption),
           interfacetexts::text(interfacetexts::SearchNotFound).arg(findText()));
}

bool FindReplaceBase::findNext()
{
    TMemo *area = memo();
    const QString what = findText();
    if (!area || what.isEmpty())
        return false;
    const QTextCursor selection = area->textCursor();
    const textsearch::Options options = searchOptions();
    const qsizetype from = options.down ? selection.selectionEnd() : selection.selectionStart();
    // A page still arriving is searched in what is there first: a hit there needs no wait
    // for the rest. (Pieces end at a line end, and what is sought holds no line break.)
    qsizetype at = -1;
    if (area->isLoading())
        at = textsearch::find(area->textSoFar(), what, from, options);
    if (at < 0)
        at = textsearch::find(area->text(), what, from, options);
    if (at < 0) {
        notFound();
        return false;
    }
    QTextCursor hit(area->document());
    hit.setPosition(int(at));
    hit.setPosition(int(at + what.size()), QTextCursor::KeepAnchor);
    area->setTextCursor(hit);
    area->setFocus();
    area->ensureCursorVisible();
    return true;
}

// ---------------------------------------------------------------------------------------------

FindDialog::FindDialog(insertion::ActiveMemo activeMemo, QWidget *parent)
    : FindReplaceBase(std::move(activeMemo), interfacetexts::FindCaption, parent)
{
    setObjectName(QStringLiteral("JvFindReplace1"));
    setWindowTitle(QStringLiteral("Найти"));

    auto *direction = new QGroupBox(QStringLiteral("Направление"), this);
    direction->setObjectName(QStringLiteral("Direction"));
    m_up = new QRadioButton(QStringLiteral("Вверх"), direction);
    m_up->setObjectName(QStringLiteral("DirectionUp"));
    m_down = new QRadioButton(QStringLiteral("Вниз"), direction);
    m_down->setObjectName(QStringLiteral("DirectionDown"));
    // The first opening searches up; later openings keep what the user chose.
    m_up->setChecked(true);
    auto *directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(m_up);
    directionLayout->addWidget(m_down);

    auto *label = new QLabel(QStringLiteral("Что:"), this);
    label->setObjectName(QStringLiteral("WhatLabel"));
    label->setBuddy(m_findEdit);

    auto *findRow = new QHBoxLayout;
    findRow->addWidget(label);
    findRow->addWidget(m_findEdit, 1);
    auto *options = new QVBoxLayout;
    options->addStretch();
    options->addWidget(m_wholeWord);
    options->addWidget(m_matchCase);
    auto *optionsRow = new QHBoxLayout;
    optionsRow->addLayout(options);
    optionsRow->addStretch();
    optionsRow->addWidget(direction);
    auto *grid = new QVBoxLayout;
    grid->addLayout(findRow);
    grid->addLayout(optionsRow);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_findNextButton);
    buttons->addWidget(m_cancelButton);
    buttons->addStretch();

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(420, 0)));
}

bool FindDialog::searchesDown() const
{
    return m_down->isChecked();
}

void FindDialog::setSearchesDown(bool down)
{
    (down ? m_down : m_up)->setChecked(true);
}

// ---------------------------------------------------------------------------------------------

ReplaceDialog::ReplaceDialog(insertion::ActiveMemo activeMemo, QWidget *parent)
    : FindReplaceBase(std::move(activeMemo), interfacetexts::ReplaceCaption, parent)
{
    setObjectName(QStringLiteral("JvFindReplace2"));
    setWindowTitle(QStringLiteral("Заменить"));

    m_replaceEdit = new QLineEdit(this);
    m_replaceEdit->setObjectName(QStringLiteral("ReplaceText"));
    m_replaceEdit->setMaxLength(std::numeric_limits<int>::max());
    m_replaceButton = new QPushButton(QStringLiteral("Заменить"), this);
    m_replaceButton->setObjectName(QStringLiteral("ReplaceButton"));
    m_replaceAllButton = new QPushButton(QStringLiteral("Заменить все"), this);
    m_replaceAllButton->setObjectName(QStringLiteral("ReplaceAllButton"));
    for (QPushButton *button : {m_replaceButton, m_replaceAllButton})
        button->setMinimumWidth(110);
    connect(m_replaceButton, &QPushButton::clicked, this, &ReplaceDialog::replace);
    connect(m_replaceAllButton, &QPushButton::clicked, this, [this] { replaceAll(); });
    needsFindText(m_replaceButton);
    needsFindText(m_replaceAllButton);

    auto *findLabel = new QLabel(QStringLiteral("Что:"), this);
    findLabel->setObjectName(QStringLiteral("WhatLabel"));
    findLabel->setBuddy(m_findEdit);
    auto *replaceLabel = new QLabel(QStringLiteral("Чем:"), this);
    replaceLabel->setObjectName(QStringLiteral("WithLabel"));
    replaceLabel->setBuddy(m_replaceEdit);

    auto *grid = new QGridLayout;
    grid->addWidget(findLabel, 0, 0);
    grid->addWidget(m_findEdit, 0, 1);
    grid->addWidget(replaceLabel, 1, 0);
    grid->addWidget(m_replaceEdit, 1, 1);
    // The find field's widgets were made first; Tab goes on from it to the replacement.
    setTabOrder(m_findEdit, m_replaceEdit);
    setTabOrder(m_replaceEdit, m_wholeWord);
    grid->setRowStretch(2, 1);
    grid->addWidget(m_wholeWord, 3, 0, 1, 2);
    grid->addWidget(m_matchCase, 4, 0, 1, 2);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_findNextButton);
    buttons->addWidget(m_replaceButton);
    buttons->addWidget(m_replaceAllButton);
    buttons->addWidget(m_cancelButton);
    buttons->addStretch();

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(420, 0)));
}

QString ReplaceDialog::replaceText() const
{
    return m_replaceEdit->text();
}
void ReplaceDialog::setReplaceText(const QString &text)
{
    m_replaceEdit->setText(text);
}

void ReplaceDialog::replace()
{
    TMemo *area = memo();
    if (!area || findText().isEmpty())
        return;
    if (!area->textCursor().hasSelection() && !findNext())
        return;
    QTextCursor selection = area->textCursor();
    // A read-only text area is searched but never changed.
    if (!area->isReadOnly() &&
        textsearch::sameText(area->selectedText(), findText(), matchCase())) {
        selection.insertText(replaceText());
        area->setTextCursor(selection);
    }
    findNext();
}

int ReplaceDialog::replaceAll()
{
    TMemo *area = memo();
    const QString what = findText();
    if (!area || what.isEmpty())
        return 0;
    const QTextCursor selection = area->textCursor();
    // A selected hit counts as the first occurrence, as Replace would treat it.
    qsizetype from = textsearch::sameText(area->selectedText(), what, matchCase())
                         ? selection.selectionStart()
                         : selection.selectionEnd();
    const QString text = area->text();
    const textsearch::Options options = searchOptions();
    QList<qsizetype> hits;
    for (qsizetype at = textsearch::find(text, what, from, options); at >= 0;
         at = textsearch::find(text, what, at + what.size(), options))
        hits.append(at);
    if (hits.isEmpty()) {
        notFound();
        return 0;
    }
    // A read-only text area is searched but never changed.
    if (area->isReadOnly())
        hits.clear();
    QTextCursor edit = area->textCursor();
    edit.beginEditBlock();
    // From the last hit backwards, so that earlier positions stay valid.
    for (auto it = hits.crbegin(); it != hits.crend(); ++it) {
        edit.setPosition(int(*it));
        edit.setPosition(int(*it + what.size()), QTextCursor::KeepAnchor);
        edit.insertText(replaceText());
    }
    edit.endEditBlock();
    area->setTextCursor(edit);
    const int count = int(hits.size());
    inform(interfacetexts::text(interfacetexts::ReplaceCaption),
           interfacetexts::text(interfacetexts::ReplacedCount).arg(count).arg(what));
    return count;
}
