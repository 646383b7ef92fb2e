// The main window's additions for pages: tag checking of both text areas (underlines, the
// status count, the problem list, F8), the one-line length, the site view beside the page and
// its export as HTML. Made once by the main window; it finds what it needs by name.
#pragma once

#include <QObject>

class QDockWidget;
class QLabel;
class QSplitter;
class QTimer;
class QTreeWidget;
class SiteViewPanel;
class TForm1;
class TMemo;
class TagChecker;

class PageExtras : public QObject
{
    Q_OBJECT
public:
    explicit PageExtras(TForm1 *window);

    TagChecker *checkerOf(TMemo *memo) const;
    SiteViewPanel *siteView() const { return m_siteView; }
    QDockWidget *problemsDock() const { return m_dock; }
    QTreeWidget *problemsList() const { return m_list; }
    QLabel *problemCountLabel() const { return m_count; }
    QLabel *lengthLabel() const { return m_length; }

    // The length of the page's one-line form: its characters without the line breaks.
    static int oneLineLength(const TMemo *memo);

    // Moves the caret of the active text area to the next / previous problem.
    void nextProblem();
    void previousProblem();

    // Writes the site view of the page to `path` as UTF-8; false and *error on failure.
    bool exportHtml(const QString &path, QString *error) const;
    // File › Export as HTML...: asks for the file (and before replacing one), then writes it.
    void ExportHtml1Click();

    // The site view follows the "Изображения" option.
    void setImagesEnabled(bool on);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showCount();
    void showLength();
    void fillList();
    void goTo(TMemo *memo, int position, int length);
    void goToProblem(bool forward);
    void retranslate();

    TForm1 *m_window;
    TagChecker *m_pageChecker = nullptr;
    TagChecker *m_messageChecker = nullptr;
    SiteViewPanel *m_siteView = nullptr;
    QSplitter *m_splitter = nullptr;
    QDockWidget *m_dock = nullptr;
    QTreeWidget *m_list = nullptr;
    QLabel *m_count = nullptr;
    QLabel *m_length = nullptr;
    QTimer *m_listTimer = nullptr; // fills the list once a run of changes is over
};
