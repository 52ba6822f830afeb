#pragma once

#include "pages/field_access.h"
#include "calc/number_parse.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>

namespace spirelle {

class AboutDialogRef;
class DesignWindow;
class TabControl;

// Form1: the tab control SSTab1 with its three pages, and the menu. The
// buttons run the page handlers over this window's widgets; a failure is shown
// in a message box and leaves the fields as the handler left them.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(AboutDialogRef &about, QWidget *parent = nullptr);

public slots:
    void Command2_Click();              // the inductance page's "L=(uH)"
    void Command1_Click();              // the frequency page's "Frequency"
    void Command3_Click();              // the loose-coil page's "L=(uH)"
    void SSTab1_Click(int previousTab); // a page of the tab control was chosen
    void design_Click();                // Menu, Design for a band…
    void about_Click();                 // Menu, About

private:
    void createMenus();
    void createPages();
    void createTabOrder();
    void runHandler(const std::function<void(FieldAccess &, const Separators &)> &handler);

    AboutDialogRef &m_about;
    TabControl *m_tabs = nullptr;
    QPointer<DesignWindow> m_design; // created on demand; outlives this window
};

// Start-up: the application's settings and the main window, created (it
// deletes itself when closed) but not yet shown.
MainWindow *CreateMainWindow(AboutDialogRef &about);

} // namespace spirelle
