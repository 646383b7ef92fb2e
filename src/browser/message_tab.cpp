#include "browser/message_tab.h"

#include "editor/highlighting_memo.h"

#include <QSplitter>
#include <QVBoxLayout>

MessageTab::MessageTab(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *splitter = new QSplitter(Qt::Vertical, this);
    m_memo = new TMemo(splitter);
    m_memo->setObjectName(QStringLiteral("Memo2"));
    m_panel = new QWidget(splitter);
    m_panel->setObjectName(QStringLiteral("PanelPreView"));
    layout->addWidget(splitter);
}

bool MessageTab::isPreviewVisible() const { return !m_panel->isHidden(); }
void MessageTab::setPreviewVisible(bool visible) { m_panel->setVisible(visible); }
