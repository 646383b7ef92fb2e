#include "options/language_loader.h"

#include "platform/ini_file.h"
#include "platform/interface_texts.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDebug>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMetaProperty>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTextDocumentFragment>
#include <QToolButton>
#include <QWidget>

namespace relabel {

namespace {

QWidget *findWindow(const QWidgetList &windows, const char *name)
{
    const QLatin1String wanted(name);
    for (QWidget *window : windows) {
        if (window->objectName() == wanted)
            return window;
    }
    return nullptr;
}

// Another window owned by this one (a dialog parented to the main window) has controls of the
// same names (Label1, Button1...), so the search does not enter it. Menus are windows too, but
// their actions belong to the window that owns the menu.
bool isForeignWindow(const QObject *object)
{
    const auto *widget = qobject_cast<const QWidget *>(object);
    return widget && widget->isWindow() && !qobject_cast<const QMenu *>(widget);
}

// Breadth first, so a window's own controls win over deeper namesakes.
QObject *findControl(QObject *window, const char *name)
{
    const QLatin1String wanted(name);
    QList<QObject *> level = window->children();
    while (!level.isEmpty()) {
        QList<QObject *> next;
        for (QObject *child : std::as_const(level)) {
            if (isForeignWindow(child))
                continue;
            if (child->objectName() == wanted)
                return child;
            next += child->children();
        }
        level = std::move(next);
    }
    return nullptr;
}

// A label that shows its caption as a link keeps its link when relabelled.
const QRegularExpression &linkPattern()
{
    static const QRegularExpression pattern(QStringLiteral(R"(^(\s*<a\b[^>]*>)(.*)(</a>\s*)$)"),
                                            QRegularExpression::CaseInsensitiveOption |
                                                QRegularExpression::DotMatchesEverythingOption);
    return pattern;
}

void setLabelText(QLabel *label, const QString &text)
{
    const auto match = linkPattern().match(label->text());
    if (match.hasMatch() && label->textFormat() != Qt::PlainText)
        label->setText(match.captured(1) + text.toHtmlEscaped() + match.captured(3));
    else
        label->setText(text);
}

QString labelText(const QLabel *label)
{
    const auto match = linkPattern().match(label->text());
    if (match.hasMatch() && label->textFormat() != Qt::PlainText)
        return QTextDocumentFragment::fromHtml(match.captured(2)).toPlainText();
    return label->text();
}

// Controls of our own kinds (a colour picker, a web label) may offer a text property instead.
const char *textProperty(const QObject *object)
{
    for (const char *property : {"text", "title"}) {
        const int index = object->metaObject()->indexOfProperty(property);
        if (index >= 0 && object->metaObject()->property(index).isWritable())
            return property;
    }
    return nullptr;
}

bool hasCaption(const QObject *object)
{
    return qobject_cast<const QMenu *>(object) || qobject_cast<const QAction *>(object) ||
           qobject_cast<const QGroupBox *>(object) || qobject_cast<const QLabel *>(object) ||
           qobject_cast<const QAbstractButton *>(object) || textProperty(object);
}

void setCaption(QObject *object, const QString &text)
{
    if (auto *menu = qobject_cast<QMenu *>(object))
        menu->setTitle(text);
    else if (auto *action = qobject_cast<QAction *>(object))
        action->setText(text);
    else if (auto *group = qobject_cast<QGroupBox *>(object))
        group->setTitle(text);
    else if (auto *label = qobject_cast<QLabel *>(object))
        setLabelText(label, text);
    else if (auto *button = qobject_cast<QAbstractButton *>(object))
        button->setText(text);
    else if (const char *property = textProperty(object))
        object->setProperty(property, text);
}

QString captionOf(const QObject *object)
{
    if (const auto *menu = qobject_cast<const QMenu *>(object))
        return menu->title();
    if (const auto *action = qobject_cast<const QAction *>(object))
        return action->text();
    if (const auto *group = qobject_cast<const QGroupBox *>(object))
        return group->title();
    if (const auto *label = qobject_cast<const QLabel *>(object))
        return labelText(label);
    if (const auto *button = qobject_cast<const QAbstractButton *>(object))
        return button->text();
    if (const char *property = textProperty(object))
        return object->property(property).toString();
    return {};
}

void setHint(QObject *object, const QString &text)
{
    if (auto *action = qobject_cast<QAction *>(object)) {
        action->setToolTip(text);
    } else if (auto *widget = qobject_cast<QWidget *>(object)) {
        widget->setToolTip(text);
        // A tool button takes its tooltip again from its action whenever the action changes.
        if (auto *button = qobject_cast<QToolButton *>(widget); button && button->defaultAction())
            button->defaultAction()->setToolTip(text);
    }
}

QTabWidget *tabWidgetOf(const QObject *object, int *index)
{
    const auto *page = qobject_cast<const QWidget *>(object);
    if (!page)
        return nullptr;
    for (QWidget *up = page->parentWidget(); up; up = up->parentWidget()) {
        if (auto *tabs = qobject_cast<QTabWidget *>(up)) {
            *index = tabs->indexOf(const_cast<QWidget *>(page));
            return *index >= 0 ? tabs : nullptr;
        }
    }
    return nullptr;
}

QObject *findPlaceAmong(const QWidgetList &windows, const Place &place)
{
    QWidget *window = findWindow(windows, place.window);
    if (!window || !place.control)
        return window;
    return findControl(window, place.control);
}

} // namespace

QObject *findPlace(const Place &place)
{
    return findPlaceAmong(QApplication::topLevelWidgets(), place);
}

bool fits(const QObject *object, const Place &place)
{
    int index = -1;
    switch (place.target) {
    case Target::Caption:
        return hasCaption(object);
    case Target::WindowTitle: {
        const auto *window = qobject_cast<const QWidget *>(object);
        return window && window->isWindow();
    }
    case Target::Hint:
        return qobject_cast<const QAction *>(object) || qobject_cast<const QWidget *>(object);
    case Target::TabCaption:
        return tabWidgetOf(object, &index) != nullptr;
    case Target::ListItem: {
        const auto *combo = qobject_cast<const QComboBox *>(object);
        return combo && place.item >= 0 && place.item < combo->count();
    }
    }
    return false;
}

bool setText(QObject *object, const Place &place, const QString &text)
{
    if (!object || !fits(object, place))
        return false;
    int index = -1;
    switch (place.target) {
    case Target::Caption:
        setCaption(object, text);
        break;
    case Target::WindowTitle:
        static_cast<QWidget *>(object)->setWindowTitle(text);
        break;
    case Target::Hint:
        setHint(object, text);
        break;
    case Target::TabCaption:
        tabWidgetOf(object, &index)->setTabText(index, text);
        break;
    case Target::ListItem:
        // Replaced in place: the list keeps its items, their order and the current choice.
        static_cast<QComboBox *>(object)->setItemText(place.item, text);
        break;
    }
    return true;
}

QString textOf(const QObject *object, const Place &place)
{
    if (!object || !fits(object, place))
        return {};
    int index = -1;
    switch (place.target) {
    case Target::Caption:
        return captionOf(object);
    case Target::WindowTitle:
        return static_cast<const QWidget *>(object)->windowTitle();
    case Target::Hint:
        if (const auto *action = qobject_cast<const QAction *>(object))
            return action->toolTip();
        return static_cast<const QWidget *>(object)->toolTip();
    case Target::TabCaption:
        return tabWidgetOf(object, &index)->tabText(index);
    case Target::ListItem:
        return static_cast<const QComboBox *>(object)->itemText(place.item);
    }
    return {};
}

QStringList applyLanguageFile(const QString &path)
{
    const IniFile file(path);
    // Listing the windows walks every widget of the program: once per run is enough.
    const QWidgetList windows = QApplication::topLevelWidgets();
    QStringList missing;
    for (const Step &step : allSteps()) {
        QString text;
        if (step.isCopy()) {
            const QObject *source = findPlaceAmong(windows, step.from);
            if (!source || !fits(source, step.from)) {
                missing << describe(step.from);
                continue;
            }
            text = textOf(source, step.from);
        } else {
            text = file.readString(QLatin1String(step.section), QLatin1String(step.key),
                                   QString::fromUtf8(step.defaultText));
        }
        if (!setText(findPlaceAmong(windows, step.to), step.to, text))
            missing << describe(step.to);
    }
    interfacetexts::load(file);
#ifndef NDEBUG
    static bool listed = false;
    if (!listed && !missing.isEmpty()) {
        listed = true;
        qDebug().noquote() << "Language loader: places not found:" << missing.join(u", ");
    }
#endif
    return missing;
}

QStringList unresolvedPlaces()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    QStringList missing;
    for (const Step &step : allSteps()) {
        for (const Place *place : {&step.from, &step.to}) {
            if (!place->window)
                continue; // the unused source of a read step
            const QObject *object = findPlaceAmong(windows, *place);
            if (!object || !fits(object, *place))
                missing << describe(*place);
        }
    }
    missing.removeDuplicates();
    return missing;
}

} // namespace relabel
