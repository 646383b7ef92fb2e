// Connects the Format and Insert menu commands that put caret tags into the active text area.
#pragma once

#include "editor/insertion.h"
#include "markup/color_converter.h"

#include <QColor>
#include <QObject>
#include <QString>

#include <memory>
#include <optional>

class QColorDialog;
class QWidget;
class TMemo;

// What the tag commands ask the user; tests give their own answers.
class TagCommandUi
{
public:
    virtual ~TagCommandUi() = default;
    // The colour dialog, starting at `initial`; nothing on Cancel.
    virtual std::optional<QColor> chooseColor(const QColor &initial) = 0;
    // A modal input box with an empty edit field; nothing on Cancel.
    virtual std::optional<QString> askText(const QString &title, const QString &prompt) = 0;
};

// The real dialogs, owned by the main window: the colour dialog ColorDialogText lives as
// long as the window, so its custom colours stay between uses.
class DialogTagCommandUi : public TagCommandUi
{
public:
    explicit DialogTagCommandUi(QWidget *mainWindow) : m_window(mainWindow) {}
    std::optional<QColor> chooseColor(const QColor &initial) override;
    std::optional<QString> askText(const QString &title, const QString &prompt) override;

private:
    QWidget *m_window;
    QColorDialog *m_colorDialog = nullptr;
};

// The handlers of the tag commands; a child of the main window, named "TagCommands".
class TagCommands : public QObject
{
    Q_OBJECT
public:
    TagCommands(QWidget *mainWindow, insertion::ActiveMemo active, TMemo *messageMemo,
                std::unique_ptr<TagCommandUi> ui);

    // The window's colour-to-HTML converter; the colour command writes its HTMLColor.
    markup::ColorConverter JvRGBToHTML1;

    void styleCommand(const QString &word); // left1Click ... undoformat1Click
    void br1Click();
    void hr1Click();
    void color1Click();
    void referenceCommand(const QString &action);

private:
    TMemo *activeMemo() const { return m_active ? m_active() : nullptr; }

    insertion::ActiveMemo m_active;
    TMemo *m_messageMemo;
    std::unique_ptr<TagCommandUi> m_ui;
    QColor m_lastColor = Qt::black;
};

// Finds the commands' main-menu actions by objectName under mainWindow and
// connects them; a command whose action is missing is left out. Without `ui` the real
// dialogs are shown.
TagCommands *connectTagCommands(QWidget *mainWindow, insertion::ActiveMemo active,
                                TMemo *messageMemo, std::unique_ptr<TagCommandUi> ui = nullptr);
