// ChunkedLoad: puts a big text into a text area in pieces, so that the first screen shows
// at once and the window keeps answering while the rest arrives.
//
// Qt builds a document of a million lines in seconds, whatever the editor does; a piece of a
// quarter of a megabyte takes a few milliseconds. The first piece is set as the area's text,
// the others are appended at the end in idle steps. Pieces are cut just before a line break,
// so a line never arrives in halves and text typed at the end of what is there meanwhile
// stays where the user put it. Anything that needs the whole text calls finish() first.
#pragma once

#include <QObject>
#include <QString>

class QPlainTextEdit;
class QTimer;

class ChunkedLoad : public QObject
{
    Q_OBJECT
public:
    explicit ChunkedLoad(QPlainTextEdit *area);

    // Texts of at most this many characters and line breaks are set in one go.
    static constexpr qsizetype AtOnce = 1024 * 1024;
    static constexpr qsizetype AtOnceLines = 32 * 1024;
    // About this many characters, or at most this many lines, go in per step: Qt's cost is
    // mostly per line, and a page of empty lines has a million of them in a megabyte.
    static constexpr qsizetype Piece = 256 * 1024;
    static constexpr qsizetype PieceLines = 8 * 1024;
    // The end of the piece that starts at `from`: the first line break after it that ends
    // `lines` lines or stands at least `size` characters on, or the end of the text. A line
    // longer than a piece comes whole.
    static qsizetype pieceEnd(QStringView text, qsizetype from, qsizetype size = Piece,
                              qsizetype lines = PieceLines);

    // Replaces the area's text, ending a load still on its way.
    void set(QString text);
    bool isLoading() const { return m_at < m_rest.size(); }
    // Puts everything still waiting in at once.
    void finish();

signals:
    // The whole text is in the document (raised also when a new text ends a load).
    void finished();

private:
    void appendUpTo(qsizetype end);
    void stop();

    QPlainTextEdit *m_area;
    QTimer *m_steps;
    QString m_rest; // the whole text; what is before m_at is in the document already
    qsizetype m_at = 0;
};
