#include "ui/tab_control.h"

#include "ui/form_widgets.h"

#include <QPainter>
#include <QPen>
#include <QStyleOptionTabWidgetFrame>

namespace spirelle {
namespace {

// Tabs of one height, sharing the row's width equally.
class EvenTabBar : public QTabBar {
public:
    EvenTabBar(int height, QWidget *parent) : QTabBar(parent), m_height(height) {}

protected:
    QSize tabSizeHint(int index) const override
    {
        const int n = count();
        const int w = width() / n + (index < width() % n ? 1 : 0);
        return {w, m_height};
    }
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }

    // The style marks the selected tab by a fill barely apart from the others,
    // and focus by a faint one: a bar along the selected tab's top and a ring
    // inside it when the row has the focus, both in the mark colour.
    void paintEvent(QPaintEvent *event) override
    {
        QTabBar::paintEvent(event);
        if (currentIndex() < 0)
            return;
        QPainter painter(this);
        const QColor mark = MarkColour(palette());
        const QRect tab = tabRect(currentIndex());
        constexpr int kBar = 3;
        painter.fillRect(QRect(tab.left() + 2, tab.top() + 1, tab.width() - 4, kBar), mark);
        if (hasFocus()) {
            painter.setPen(QPen(mark, 2));
            painter.drawRect(QRectF(tab.adjusted(4, kBar + 3, -4, -3)));
        }
    }

private:
    int m_height;
};

} // namespace

TabControl::TabControl(const QStringList &captions, int tabHeight, QWidget *parent)
    : QWidget(parent), m_tabBar(new EvenTabBar(tabHeight, this)), m_tabHeight(tabHeight),
      m_pages(static_cast<std::size_t>(captions.size()))
{
    m_tabBar->setDrawBase(false);
    m_tabBar->setUsesScrollButtons(false);
    m_tabBar->setElideMode(Qt::ElideNone);
    for (const QString &caption : captions)
        m_tabBar->addTab(caption);
    connect(m_tabBar, &QTabBar::currentChanged, this, [this](int page) {
        if (page < 0 || page == m_current)
            return;
        const int previous = m_current;
        showPage(page);
        emit pageChanged(previous);
    });
}

void TabControl::addToPage(int page, QWidget *control)
{
    m_pages.at(static_cast<std::size_t>(page)).push_back(control);
    control->setVisible(page == m_current);
}

int TabControl::currentIndex() const
{
    return m_current;
}

void TabControl::setCurrentIndex(int page)
{
    m_tabBar->setCurrentIndex(page);
}

void TabControl::showPage(int page)
{
    // Hide before showing, so that focus never lands on a control of the page being left.
    for (std::size_t p = 0; p < m_pages.size(); ++p)
        if (static_cast<int>(p) != page)
            for (QWidget *control : m_pages[p])
                control->hide();
    for (QWidget *control : m_pages.at(static_cast<std::size_t>(page)))
        control->show();
    m_current = page;
}

void TabControl::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_tabBar->setGeometry(0, 0, width(), m_tabHeight);
}

void TabControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect panel(0, m_tabHeight - 1, width(), height() - m_tabHeight + 1);
    painter.fillRect(panel, palette().button());
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = panel;
    frame.shape = QTabBar::RoundedNorth;
    frame.tabBarSize = QSize(width(), m_tabHeight);
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
    // The style's own page is lighter than the 3D face colour (Fusion's 251
    // against 239); within the frame's edge the pages, and the labels that
    // stand on them, take the face colour.
    constexpr int kEdge = 2;
    painter.fillRect(panel.adjusted(kEdge, kEdge, -kEdge, -kEdge - 1), palette().button());
}

} // namespace spirelle
