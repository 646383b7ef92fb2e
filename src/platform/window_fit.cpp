#include "platform/window_fit.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace windowfit {

namespace {

const char *const CutProperty = "windowfit_cut";
const char *const TipProperty = "windowfit_tip";

QString captionOf(const QWidget *control)
{
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return label->wordWrap() ? QString() : label->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(control))
        return button->text();
    if (const auto *group = qobject_cast<const QGroupBox *>(control))
        return group->title();
    if (const auto *list = qobject_cast<const QComboBox *>(control))
        return list->currentText();
    return {};
}

} // namespace

void keepWithinScreen(QWidget *window)
{
    if (!window)
        return;
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    // Decided by each caption's own width, which no layout caches: a caption wider than half
    // the screen is cut to a quarter of it, so that even a row of three such captions fits.
    const int tooWide = area.width() / 2;
    const int cut = area.width() / 4;
    for (QWidget *control : window->findChildren<QWidget *>()) {
        const QString caption = captionOf(control);
        const bool wasCut = control->property(CutProperty).toBool();
        const bool mustCut =
            !caption.isEmpty() &&
            control->sizePolicy().horizontalPolicy() != QSizePolicy::Ignored &&
            std::max(control->sizeHint().width(), control->minimumSizeHint().width()) > tooWide;
        if (mustCut != wasCut) {
            control->setProperty(CutProperty, mustCut);
            control->setMaximumWidth(mustCut ? cut : QWIDGETSIZE_MAX);
        }
        // While cut, the tool tip shows the whole caption; a tool tip of the control's own stays.
        const bool tipIsOurs = control->property(TipProperty).toBool();
        if ((mustCut || tipIsOurs) && (tipIsOurs || control->toolTip().isEmpty())) {
            control->setToolTip(mustCut ? caption : QString());
            control->setProperty(TipProperty, mustCut);
        }
    }
    if (window->width() > area.width() || window->height() > area.height())
        window->resize(window->size().boundedTo(area.size()));
}

} // namespace windowfit
