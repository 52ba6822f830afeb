#pragma once

#include <QTabBar>
#include <QWidget>

#include <vector>

namespace spirelle {

// A tab control whose pages share its own origin: a control on a page is a
// direct child placed from the control's top-left corner, tab row included.
// Only the selected page's controls are shown; hidden ones keep their state.
class TabControl : public QWidget {
    Q_OBJECT
public:
    TabControl(const QStringList &captions, int tabHeight, QWidget *parent = nullptr);

    void addToPage(int page, QWidget *control);
    int currentIndex() const;
    void setCurrentIndex(int page);
    QTabBar *tabBar() const { return m_tabBar; }

signals:
    // After the user or the program selected another page; carries the page selected before.
    void pageChanged(int previousPage);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void showPage(int page);

    QTabBar *m_tabBar;
    int m_tabHeight;
    int m_current = 0;
    std::vector<std::vector<QWidget *>> m_pages;
};

} // namespace spirelle
