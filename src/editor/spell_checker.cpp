#include "editor/spell_checker.h"

#include "editor/highlighting_memo.h"
#include "editor/underline_layer.h"
#include "markup/tag_grammar.h"
#include "platform/error_display.h"
#include "platform/interface_texts.h"
#include "platform/spell_dictionary.h"

#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QMenu>
#include <QTextBlock>

#include <utility>

namespace {

constexpr int PauseMs = 400;
constexpr int SliceMs = 4;

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// Something that is written as an address rather than as a word.
bool looksLikeAddress(QStringView token)
{
    return token.contains(QLatin1String("://")) || token.contains(QLatin1Char('@')) ||
           token.startsWith(QLatin1String("www."), Qt::CaseInsensitive) ||
           token.contains(QLatin1Char('/'));
}

// How many caret-ended parts follow a tag's name and belong to it: the address and text of a
// link, the caption of a picture, the text of a running line.
int partsAfter(QStringView name)
{
    if (name.compare(QLatin1String("url"), Qt::CaseInsensitive) == 0)
        return 2;
    if (name.startsWith(QLatin1String("run:"), Qt::CaseInsensitive))
        return 1;
    // A picture: an image word of the grammar and its number (jpg12, gifo7:80).
    for (const markup::TagRule &rule : markup::TagGrammar()) {
        if (rule.shape == markup::TagShape::Image && name.size() > rule.word.size() &&
            name.startsWith(rule.word, Qt::CaseInsensitive) && name[rule.word.size()].isDigit())
            return 1;
    }
    return 0;
}

// The words of a stretch of plain text; `offset` is where it starts in its line.
void addWords(QStringView part, qsizetype offset, QList<SpellChecker::Word> *words)
{
    // Tokens are runs without blanks; an address token is passed over whole.
    qsizetype t = 0;
    while (t < part.size()) {
        while (t < part.size() && part[t].isSpace())
            ++t;
        qsizetype end = t;
        while (end < part.size() && !part[end].isSpace())
            ++end;
        const QStringView token = part.mid(t, end - t);
        for (qsizetype w = 0; !looksLikeAddress(token) && w < token.size();) {
            while (w < token.size() && !isWordChar(token[w]))
                ++w;
            qsizetype wEnd = w;
            bool digits = false;
            while (wEnd < token.size()) {
                const QChar c = token[wEnd];
                // An apostrophe or hyphen between letters belongs to the word.
                const bool joiner =
                    (c == QLatin1Char('\'') || c == QChar(0x2019) || c == QLatin1Char('-')) &&
                    wEnd > w && wEnd + 1 < token.size() && token[wEnd + 1].isLetter();
                if (!isWordChar(c) && !joiner)
                    break;
                digits = digits || c.isDigit() || c == QLatin1Char('_');
                ++wEnd;
            }
            if (wEnd > w && !digits)
                words->append({int(offset + t + w), int(wEnd - w)});
            w = wEnd;
        }
        t = end;
    }
}

} // namespace

QList<SpellChecker::Word> SpellChecker::checkableWords(QStringView line)
{
    QList<Word> words;
    qsizetype at = 0;
    while (at < line.size()) {
        const qsizetype caret = line.indexOf(QLatin1Char('^'), at);
        const qsizetype textEnd = caret < 0 ? line.size() : caret;
        addWords(line.mid(at, textEnd - at), at, &words);
        if (caret < 0)
            break;
        // A tag: its name up to the next caret, then the parts that belong to it. A caret with
        // no partner leaves the rest of the line to the tag (a line format's text, a typo).
        qsizetype close = line.indexOf(QLatin1Char('^'), caret + 1);
        if (close < 0)
            break;
        for (int part = partsAfter(line.mid(caret + 1, close - caret - 1)); part > 0; --part) {
            close = line.indexOf(QLatin1Char('^'), close + 1);
            if (close < 0)
                return words;
        }
        at = close + 1;
    }
    return words;
}

SpellChecker::SpellChecker(TMemo *memo, std::shared_ptr<SpellDictionary> dictionary,
                           QObject *parent)
    : QObject(parent)
    , m_memo(memo)
    , m_dictionary(std::move(dictionary))
    , m_layer(UnderlineLayer::of(memo))
{
    // One layer per text area, shared with the other kinds of underline.
    m_pause.setSingleShot(true);
    m_pause.setInterval(PauseMs);
    m_slice.setSingleShot(true);
    m_slice.setInterval(0);
    connect(&m_pause, &QTimer::timeout, this, &SpellChecker::checkSome);
    connect(&m_slice, &QTimer::timeout, this, &SpellChecker::checkSome);
    connect(memo->document(), &QTextDocument::contentsChange, this, &SpellChecker::contentsChange);
    memo->viewport()->installEventFilter(this);
    memo->installEventFilter(this);
}

void SpellChecker::setEnabled(bool on)
{
    if (on == m_enabled)
        return;
    m_enabled = on && m_dictionary && m_dictionary->isUsable();
    m_dirty.clear();
    m_sweep = QTextCursor();
    m_layer->clear(UnderlineLayer::Spelling);
    if (!m_enabled)
        return;
    m_blockCount = m_memo->document()->blockCount();
    sweepAll();
}

void SpellChecker::sweepAll()
{
    // A cursor, not a number: it keeps its place in the text while lines are added above it,
    // and the set of edited blocks stays small however large the page.
    m_sweep = QTextCursor(m_memo->document());
    m_slice.start();
}

bool SpellChecker::sweepOne()
{
    if (m_sweep.isNull())
        return false;
    const QTextBlock block = m_sweep.block();
    checkBlock(block.blockNumber());
    if (block.next().isValid())
        m_sweep.setPosition(block.next().position());
    else
        m_sweep = QTextCursor();
    return true;
}

bool SpellChecker::checkOneEdited()
{
    if (m_dirty.isEmpty())
        return false;
    const int block = *m_dirty.cbegin();
    m_dirty.erase(m_dirty.cbegin());
    checkBlock(block);
    return true;
}

void SpellChecker::contentsChange(int from, int removed, int added)
{
    if (!m_enabled)
        return;
    // Only the blocks the edit touched; the cost of a keystroke is one block, later.
    QTextDocument *document = m_memo->document();
    const QTextBlock first = document->findBlock(from);
    QTextBlock last = document->findBlock(from + qMax(added, 0));
    if (!last.isValid())
        last = document->lastBlock();
    const int firstNumber = first.isValid() ? first.blockNumber() : 0;
    // Lines added or removed move the blocks below: those still waiting keep their place in
    // the text rather than their number, or a word typed just before would go unchecked.
    const int delta = document->blockCount() - m_blockCount;
    m_blockCount = document->blockCount();
    if (delta != 0 && !m_dirty.isEmpty()) {
        QSet<int> moved;
        moved.reserve(m_dirty.size());
        for (const int n : std::as_const(m_dirty))
            moved.insert(n > firstNumber ? qMax(firstNumber, n + delta) : n);
        m_dirty = std::move(moved);
    }
    for (int n = firstNumber; n <= last.blockNumber(); ++n)
        m_dirty.insert(n);
    // Blocks removed by the edit leave numbers past the end; those are dropped when checked.
    Q_UNUSED(removed);
    m_pause.start();
}

void SpellChecker::checkSome()
{
    if (!m_enabled || !m_memo)
        return;
    QElapsedTimer clock;
    clock.start();
    // What is on screen first: a large page opened is read from where the user looks.
    const QTextBlock top = m_memo->cursorForPosition(QPoint(0, 0)).block();
    const QTextBlock bottom =
        m_memo->cursorForPosition(QPoint(0, m_memo->viewport()->height())).block();
    // Blocks ahead of the sweep are checked once per view, not again at every slice (each
    // check repaints the text area).
    const bool newView =
        top.blockNumber() != m_viewTop || m_memo->document()->revision() != m_viewRevision;
    m_viewTop = top.blockNumber();
    m_viewRevision = m_memo->document()->revision();
    for (QTextBlock block = top; block.isValid() && clock.elapsed() < SliceMs;
         block = block.next()) {
        if (m_dirty.remove(block.blockNumber()) ||
            (newView && !m_sweep.isNull() && block.position() >= m_sweep.position()))
            checkBlock(block.blockNumber());
        if (block == bottom)
            break;
    }
    while (clock.elapsed() < SliceMs && checkOneEdited()) {
    }
    while (clock.elapsed() < SliceMs && sweepOne()) {
    }
    if (hasPending())
        m_slice.start();
}

void SpellChecker::checkPendingNow()
{
    while (m_enabled && checkOneEdited()) {
    }
    while (m_enabled && sweepOne()) {
    }
}

bool SpellChecker::isCorrect(const QString &word)
{
    auto known = m_known.constFind(word);
    if (known != m_known.constEnd())
        return *known;
    const bool correct = m_dictionary->isCorrect(word);
    m_known.insert(word, correct);
    return correct;
}

void SpellChecker::checkBlock(int blockNumber)
{
    const QTextBlock block = m_memo->document()->findBlockByNumber(blockNumber);
    if (!block.isValid())
        return;
    const QString text = block.text();
    QList<UnderlineLayer::Mark> marks;
    for (const Word &word : checkableWords(text)) {
        const QString spelled = text.mid(word.start, word.length);
        if (!isCorrect(spelled))
            marks.append(
                {block.position() + word.start, word.length, QString(), UnderlineLayer::Spelling});
    }
    m_layer->setMarks(UnderlineLayer::Spelling, blockNumber, blockNumber, marks);
}

QString SpellChecker::misspelledAt(int position, int *start) const
{
    for (const UnderlineLayer::Mark &mark : m_layer->marksAt(position)) {
        if (mark.kind != UnderlineLayer::Spelling)
            continue;
        if (start)
            *start = mark.start;
        QTextCursor cursor(m_memo->document());
        cursor.setPosition(mark.start);
        cursor.setPosition(mark.end(), QTextCursor::KeepAnchor);
        return cursor.selectedText();
    }
    return {};
}

// --- Context menu -----------------------------------------------------------------------------

void SpellChecker::attachMenu(QMenu *menu)
{
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { fillMenu(menu); });
}

bool SpellChecker::eventFilter(QObject *watched, QEvent *event)
{
    // The place of a right click, before the text area's own menu opens; the menu key opens it
    // at the caret.
    if (event->type() == QEvent::ContextMenu && m_memo &&
        (watched == m_memo->viewport() || watched == m_memo)) {
        const auto *menuEvent = static_cast<QContextMenuEvent *>(event);
        if (menuEvent->reason() == QContextMenuEvent::Keyboard)
            m_menuPosition = m_memo->textCursor().position();
        else
            m_menuPosition = m_memo
                                 ->cursorForPosition(m_memo->viewport()->mapFrom(
                                     static_cast<QWidget *>(watched), menuEvent->pos()))
                                 .position();
    } else if (event->type() == QEvent::MouseButtonPress && m_memo &&
               watched == m_memo->viewport()) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::RightButton)
            m_menuPosition = m_memo->cursorForPosition(mouse->position().toPoint()).position();
    }
    return QObject::eventFilter(watched, event);
}

void SpellChecker::setMenuPosition(int position)
{
    m_menuPosition = position;
}

void SpellChecker::fillMenu(QMenu *menu)
{
    qDeleteAll(m_menuActions);
    m_menuActions.clear();
    // Used once: a menu opened some other way must not offer a word clicked long before.
    const int position = std::exchange(m_menuPosition, -1);
    if (!m_enabled || position < 0)
        return;
    int start = 0;
    const QString word = misspelledAt(position, &start);
    if (word.isEmpty())
        return;
    QAction *before = menu->actions().value(0);
    const auto add = [&](QAction *action) {
        menu->insertAction(before, action);
        m_menuActions.append(action);
    };
    for (const QString &suggestion : m_dictionary->suggestions(word, 5)) {
        auto *item = new QAction(suggestion, menu);
        item->setObjectName(QStringLiteral("SpellSuggestion"));
        QFont bold = item->font();
        bold.setBold(true);
        item->setFont(bold);
        connect(item, &QAction::triggered, this, [this, start, word, suggestion] {
            replaceWord(start, int(word.size()), suggestion);
        });
        add(item);
    }
    auto *addWord = new QAction(interfacetexts::text(interfacetexts::AddToDictionary), menu);
    addWord->setObjectName(QStringLiteral("SpellAddWord"));
    connect(addWord, &QAction::triggered, this, [this, word] {
        QString error;
        // The word counts for this run either way; the user is told it will not be kept.
        if (!m_dictionary->addToPersonal(word, &error))
            errordisplay::show(error, m_memo);
        m_known.insert(word, true);
        // Every block is looked at again: the word may stand elsewhere too.
        sweepAll();
    });
    add(addWord);
    auto *separator = new QAction(menu);
    separator->setSeparator(true);
    add(separator);
}

void SpellChecker::replaceWord(int start, int length, const QString &with)
{
    if (!m_memo || m_memo->isReadOnly())
        return;
    QTextCursor cursor(m_memo->document());
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    // Only when the word is still there: the text may have changed since the menu opened.
    if (cursor.selectedText() == misspelledAt(start))
        cursor.insertText(with);
}
