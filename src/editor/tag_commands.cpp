#include "editor/tag_commands.h"

#include "editor/highlighting_memo.h"
#include "markup/tags.h"
#include "platform/interface_texts.h"
#include "platform/system_colors.h"

#include <QAction>
#include <QColorDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QWidget>

#include <limits>

namespace {

// The prefix-rule commands: menu item and the tag word. Toolbar buttons and context-menu items
// trigger these menu items; the main window routes them.
struct StyleCommand
{
    const char *action;
    const char *word;
};
constexpr StyleCommand styleCommands[] = {
    {"left1", "left"},           {"center1", "center"},
    {"right1", "right"},         {"justify1", "justify"},
    {"bold1", "bolder"},         {"itallic1", "italic"},
    {"underline1", "underline"}, {"strikeout1", "line-throught"},
    {"normal1", "normal"},       {"light1", "lighter"},
    {"polybold1", "bold"},       {"lineontext1", "overline"},
    {"blink1", "blink"},         {"undoformat1", "n"},
};

// The reference input boxes: menu item, box title, prompt and the tag built from the value.
// The title and the prompt follow the language file.
struct ReferenceBox
{
    const char *action;
    interfacetexts::Text title;
    interfacetexts::Text prompt;
    QString (*build)(const QString &value);
};
const ReferenceBox referenceBoxes[] = {
    {"LinkUser1", interfacetexts::UserLinkTitle, interfacetexts::UserLinkPrompt,
     markup::UserLinkTag},
    {"LinkPath1", interfacetexts::SectionLinkTitle, interfacetexts::SectionLinkPrompt,
     markup::SectionLinkTag},
    {"LinkFile1", interfacetexts::FileLinkTitle, interfacetexts::FileLinkPrompt,
     markup::FileLinkTag},
    {"Linktext1", interfacetexts::ArticleLinkTitle, interfacetexts::ArticleLinkPrompt,
     markup::ArticleLinkTag},
};

template <typename Handler>
QAction *connectAction(QWidget *root, const char *name, QObject *context, Handler handler)
{
    QAction *action = root->findChild<QAction *>(QString::fromLatin1(name));
    if (action)
        QObject::connect(action, &QAction::triggered, context, handler);
    return action;
}

} // namespace

std::optional<QColor> DialogTagCommandUi::chooseColor(const QColor &initial)
{
    if (!m_colorDialog) {
        m_colorDialog = new QColorDialog(m_window);
        m_colorDialog->setObjectName(QStringLiteral("ColorDialogText"));
        // Qt's own dialog always shows the custom colours; a desktop portal might not.
        m_colorDialog->setOption(QColorDialog::DontUseNativeDialog);
    }
    m_colorDialog->setCurrentColor(initial);
    if (m_colorDialog->exec() != QDialog::Accepted)
        return std::nullopt;
    return m_colorDialog->selectedColor();
}

std::optional<QString> DialogTagCommandUi::askText(const QString &title, const QString &prompt)
{
    QInputDialog box(m_window);
    box.setWindowTitle(title);
    box.setLabelText(prompt);
    box.setTextValue(QString());
    // A pasted value goes into the tag whole, not cut at the field's default 32 767 characters.
    if (auto *field = box.findChild<QLineEdit *>())
        field->setMaxLength(std::numeric_limits<int>::max());
    box.setOkButtonText(QStringLiteral("OK"));
    box.setCancelButtonText(QStringLiteral("Отмена"));
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    return box.textValue();
}

TagCommands::TagCommands(QWidget *mainWindow, insertion::ActiveMemo active, TMemo *messageMemo,
                         std::unique_ptr<TagCommandUi> ui)
    : QObject(mainWindow)
    , m_active(std::move(active))
    , m_messageMemo(messageMemo)
    , m_ui(ui ? std::move(ui) : std::make_unique<DialogTagCommandUi>(mainWindow))
{
    setObjectName(QStringLiteral("TagCommands"));
}

void TagCommands::styleCommand(const QString &word)
{
    insertion::prefixRule(activeMemo(), markup::StyleTag(word));
}

void TagCommands::br1Click()
{
    // br1 and the message area's own mbr1 share Ctrl+Enter; two live shortcuts on one key
    // would cancel each other, so br1 does mbr1's job while the message area has the focus.
    if (m_messageMemo && m_messageMemo->hasFocus())
        insertion::lineBreakRule(m_messageMemo);
    else
        insertion::lineBreakRule(activeMemo());
}

void TagCommands::hr1Click()
{
    insertion::caretRule(activeMemo(), markup::StyleTag("hr"));
}

void TagCommands::color1Click()
{
    const std::optional<QColor> chosen = m_ui->chooseColor(m_lastColor);
    if (!chosen || !chosen->isValid())
        return;
    m_lastColor = *chosen;
    markup::ColorToHtml(JvRGBToHTML1, systemcolors::fromQColor(*chosen));
    insertion::caretRule(activeMemo(), JvRGBToHTML1.HTMLColor);
}

void TagCommands::referenceCommand(const QString &action)
{
    for (const ReferenceBox &box : referenceBoxes) {
        if (action != QLatin1String(box.action))
            continue;
        const std::optional<QString> value =
            m_ui->askText(interfacetexts::text(box.title), interfacetexts::text(box.prompt));
        if (value)
            insertion::caretRule(activeMemo(), box.build(*value));
        return;
    }
}

TagCommands *connectTagCommands(QWidget *mainWindow, insertion::ActiveMemo active,
                                TMemo *messageMemo, std::unique_ptr<TagCommandUi> ui)
{
    auto *commands = new TagCommands(mainWindow, std::move(active), messageMemo, std::move(ui));

    for (const StyleCommand &command : styleCommands) {
        const QString word = QString::fromLatin1(command.word);
        const auto handler = [commands, word] { commands->styleCommand(word); };
        connectAction(mainWindow, command.action, commands, handler);
    }
    for (const ReferenceBox &box : referenceBoxes) {
        const QString name = QString::fromLatin1(box.action);
        connectAction(mainWindow, box.action, commands,
                      [commands, name] { commands->referenceCommand(name); });
    }
    connectAction(mainWindow, "br1", commands, [commands] { commands->br1Click(); });
    connectAction(mainWindow, "hr1", commands, [commands] { commands->hr1Click(); });
    connectAction(mainWindow, "color1", commands, [commands] { commands->color1Click(); });
    return commands;
}
