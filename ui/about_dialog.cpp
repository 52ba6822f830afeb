#include "ui/about_dialog.h"

#include "pages/controls.h"
#include "ui/form_widgets.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>

namespace spirelle {
namespace {

// Places in twips from the dialog's client-area corner.
constexpr layout::Rect kClient{0, 0, 4725, 5685};
constexpr layout::Rect kTitle{240, 90, 3525, 405};
constexpr layout::Rect kVersion{240, 525, 3885, 225};
constexpr layout::Rect kCreditsBox{180, 930, 4335, 3990};
constexpr layout::Rect kOk{3210, 5175, 1260, 345};

// Decorative parts (the rule's lines, the credits' viewport) are left out of
// what a screen reader walks through: marked invisible, as hidden parts are.
constexpr char kDecorative[] = "spirelle_decorative";

class DecorativeAccessible : public QAccessibleWidget {
public:
    explicit DecorativeAccessible(QWidget *widget) : QAccessibleWidget(widget, QAccessible::Separator) {}
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.invisible = true;
        return state;
    }
};

QAccessibleInterface *DecorativeFactory(const QString &, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    return widget && widget->property(kDecorative).toBool() ? new DecorativeAccessible(widget) : nullptr;
}

// One straight line control, drawn across its own rectangle.
class LineControl : public QWidget {
public:
    LineControl(int index, QColor colour, QWidget *parent) : QWidget(parent), m_colour(colour)
    {
        setObjectName(ToQString(control::kAboutLine));
        setProperty("index", index);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setProperty(kDecorative, true);
    }

protected:
    void paintEvent(QPaintEvent *) override { QPainter(this).fillRect(rect(), m_colour); }

private:
    QColor m_colour;
};

// A horizontal line from (x1, y) to (x2, y) in twips, `thickness` pixels wide, below y.
QRect LineRect(int x1, int x2, int y, int thickness)
{
    const QRect from = ToPixels(x1, y, x2 - x1, 0);
    return {from.left(), from.top(), from.width() + 1, thickness};
}

const char kCreditsText[] =
    "Inspired by a spreadsheet for designing coils,\r\n"
    "made by Arlo Fenwick, N0CALL.\r\n"
    "Arlo's coil pages are on the web at\r\n"
    "        https://example.org/coils/\r\n"
    "--------------------------------------------\r\n"
    "\r\n"
    "I am Wren Halloway, N0CALL. I wrote Spirelle to help\r\n"
    "other crystal-radio enthusiasts wind coils that work\r\n"
    "the first time. A second, cross-platform edition of\r\n"
    "the program runs wherever Qt does.\r\n"
    "\r\n"
    "Spirelle uses Wheeler's single-layer formula, with\r\n"
    "the diameters of enamelled wire from # 20 to # 30.\r\n"
    "\r\n"
    "Questions, concerns, comments or recommendations?\r\n"
    "Write to spirelle@example.org.\r\n"
    "\r\n"
    "V 1.0\r\n";

} // namespace

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    static const bool factoryInstalled = (QAccessible::installFactory(DecorativeFactory), true);
    Q_UNUSED(factoryInstalled);
    setObjectName(ToQString(control::kAbout));
    setWindowTitle(QStringLiteral("Spirelle"));
    setAccessibleName(QStringLiteral("About Spirelle"));
    setFont(FormFont());
    KeepFocusVisible(this);
    setFixedSize(ToPixels(kClient).size());
    setSizeGripEnabled(false);

    auto *title = new QLabel(QStringLiteral("Spirelle"), this);
    title->setObjectName(ToQString(control::kAboutTitle));
    title->setGeometry(ToPixels(kTitle));
    auto *version = new QLabel(QStringLiteral("Version " SPIRELLE_VERSION), this); // the build's version
    version->setObjectName(ToQString(control::kAboutVersion));
    version->setGeometry(ToPixels(kVersion));

    m_credits = new QPlainTextEdit(this);
    m_credits->setObjectName(ToQString(control::kAboutCredits));
    m_credits->setAccessibleName(QStringLiteral("Credits"));
    m_credits->setGeometry(ToPixels(kCreditsBox));
    m_credits->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_credits->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_credits->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_credits->setTabChangesFocus(true);
    m_credits->setPlainText(creditsText().replace(QLatin1String("\r\n"), QLatin1String("\n")));
    m_credits->installEventFilter(this);
    m_credits->viewport()->setProperty(kDecorative, true);

    // An etched rule: a gray line with a white one of double width just below it.
    auto *gray = new LineControl(1, QColor(128, 128, 128), this);
    gray->setGeometry(LineRect(120, 4425, 5040, 1));
    auto *white = new LineControl(0, Qt::white, this);
    white->setGeometry(LineRect(150, 4485, 5055, 2));

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(ToQString(control::kAboutOk));
    m_ok->setGeometry(ToPixels(kOk));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &AboutDialog::cmdOK_Click);

    setTabOrder(m_ok, m_credits);
    m_ok->setFocus();
}

QString AboutDialog::creditsText()
{
    return QString::fromUtf8(kCreditsText);
}

void AboutDialog::cmdOK_Click()
{
    // Unloads: the window closes and, with its controls and any typing, is deleted.
    QDialog::done(QDialog::Accepted);
}

void AboutDialog::reject()
{
    cmdOK_Click();
}

bool AboutDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_credits && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (key->modifiers() & Qt::ControlModifier)
                m_credits->insertPlainText(QStringLiteral("\n"));
            else
                m_ok->click(); // the default button, wherever the focus is
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

AboutDialogRef::~AboutDialogRef()
{
    // At the program's end no event loop is left to run a pending deletion.
    delete m_dialog.data();
    delete m_unloading.data();
}

void AboutDialogRef::show()
{
    if (!m_dialog) {
        m_dialog = new AboutDialog;
        m_dialog->setAttribute(Qt::WA_DeleteOnClose);
        // Unloaded the moment it closes, though its deletion comes later: a
        // show in between must load a new dialog, not revive the closing one.
        QObject::connect(m_dialog, &QDialog::finished, m_dialog, [this] {
            m_unloading = m_dialog;
            m_dialog = nullptr;
        });
    }
    m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
}

} // namespace spirelle
