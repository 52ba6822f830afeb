#pragma once

#include <QDialog>
#include <QPointer>

class QPushButton;
class QPlainTextEdit;

namespace spirelle {

// frmAbout: title, version and credits, with an OK button that unloads it.
// Modeless and top-level, so that it outlives the main window if that closes first.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);

    // The credits as stored: 18 lines, each ended by a carriage return and a line feed.
    static QString creditsText();

public slots:
    void cmdOK_Click();     // the About dialog's OK: closes it
    void reject() override; // Esc and the title bar's close button press OK

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPushButton *m_ok;
    QPlainTextEdit *m_credits;
};

// The one shared reference to the About dialog: empty until first used. Showing
// creates (loads) the dialog when it is not loaded, so after OK has unloaded it
// the next show loads it afresh from the stored texts.
class AboutDialogRef {
public:
    AboutDialogRef() = default;
    AboutDialogRef(const AboutDialogRef &) = delete;
    AboutDialogRef &operator=(const AboutDialogRef &) = delete;
    ~AboutDialogRef();

    void show();
    AboutDialog *dialog() const { return m_dialog; } // nullptr while unloaded

private:
    QPointer<AboutDialog> m_dialog;
    QPointer<AboutDialog> m_unloading; // closed, its deletion still pending
};

} // namespace spirelle
