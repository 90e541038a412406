// Text that always fits: widths found in the forms are minimums, raised to what the texts need
// in the font in use.
#include "textfit.h"

#include <QAbstractButton>
#include <QEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMargins>
#include <QSize>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QVariant>
#include <QWidget>

namespace {

constexpr char designWidthProperty[] = "textFitDesignWidth";
constexpr char followedProperty[] = "textFitFollowed";

// Around its text a line edit keeps two pixels on either side, and one more for the cursor
// after the last character; a text that needs more scrolls.
constexpr int editTextMargin = 2;
constexpr int editCursorWidth = 1;

// A longer text scrolls: a value read from a file can be of any length, and the window must
// not grow with it.
constexpr int longestFittedText = 64;

// Calls `visit` for every widget a layout places, in `layout` and in the layouts of the widgets
// it holds, hidden ones included.
template <typename Visit> void forLaidOutWidgets(QLayout *layout, const Visit &visit)
{
    if (!layout) {
        return;
    }
    // Walked to the first missing item, not by count(): a main window's layout has no count.
    for (int i = 0; QLayoutItem *item = layout->itemAt(i); ++i) {
        if (QWidget *widget = item->widget()) {
            visit(widget);
            forLaidOutWidgets(widget->layout(), visit);
        } else {
            forLaidOutWidgets(item->layout(), visit);
        }
    }
}

// The narrowest a label, button or group box may be: a layout gives it no less than this
// unless its maximum width says otherwise. Zero for widgets whose text is not on one line.
int textWidthNeeded(QWidget *widget)
{
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        return label->wordWrap() ? 0 : label->sizeHint().width();
    }
    if (qobject_cast<QAbstractButton *>(widget)) {
        return widget->sizeHint().width();
    }
    if (qobject_cast<QGroupBox *>(widget)) {
        return widget->minimumSizeHint().width();
    }
    return 0;
}

} // namespace

const char TextFit::widestNumber[] = "888888.88";

TextFit::TextFit(QWidget *root)
    : QObject(root)
    , root(root)
{
}

void TextFit::keep(QWidget *root)
{
    auto *fit = new TextFit(root);
    root->installEventFilter(fit);
    fit->fitAll();
}

bool TextFit::eventFilter(QObject *watched, QEvent *event)
{
    // A layout request reaches the window whenever something inside it changed size or joined
    // a layout; it comes before the layout is laid out again, so the new widths count at once.
    if (watched == root
        && (event->type() == QEvent::LayoutRequest || event->type() == QEvent::Show)) {
        fitAll();
    }
    return QObject::eventFilter(watched, event);
}

int TextFit::designWidth(QWidget *widget)
{
    const QVariant stored = widget->property(designWidthProperty);
    if (stored.isValid()) {
        return stored.toInt();
    }
    const int width = widget->minimumWidth();
    widget->setProperty(designWidthProperty, width);
    return width;
}

int TextFit::editWidth(const QLineEdit *edit, const QString &text)
{
    const QMargins margins = edit->textMargins();
    const QFontMetrics metrics = edit->fontMetrics();
    const QSize contents(metrics.horizontalAdvance(text) + 2 * editTextMargin + editCursorWidth
            + margins.left() + margins.right(),
        metrics.height());
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->hasFrame()
        ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit)
        : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    option.features = QStyleOptionFrame::None;
    return edit->style()->sizeFromContents(QStyle::CT_LineEdit, &option, contents, edit).width();
}

void TextFit::follow(QLineEdit *edit)
{
    if (!edit->property(followedProperty).toBool()) {
        edit->setProperty(followedProperty, true);
        designWidth(edit);
        connect(edit, &QLineEdit::textChanged, edit, [edit] { fitEdit(edit); });
    }
    fitEdit(edit);
}

void TextFit::fitEdit(QLineEdit *edit)
{
    // An empty field shows its placeholder, which must fit as well as its text.
    const QString shown = (edit->text().isEmpty() ? edit->placeholderText() : edit->displayText())
                              .left(longestFittedText);
    const int needed = qMax(designWidth(edit),
        qMax(editWidth(edit, QLatin1String(widestNumber)), editWidth(edit, shown)));
    // A field of fixed width takes exactly what it needs: the form's width, or more. Any other
    // field may be stretched by its layout, but never below that.
    if (edit->sizePolicy().horizontalPolicy() == QSizePolicy::Fixed) {
        if (edit->minimumWidth() != needed || edit->maximumWidth() != needed) {
            edit->setFixedWidth(needed);
        }
        return;
    }
    if (edit->minimumWidth() != needed) {
        edit->setMinimumWidth(needed);
    }
    if (edit->maximumWidth() < needed) {
        edit->setMaximumWidth(needed);
    }
}

void TextFit::fitAll()
{
    forLaidOutWidgets(root->layout(), [](QWidget *widget) {
        if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
            if (!edit->property(followedProperty).toBool()) {
                follow(edit);
            }
            return;
        }
        const int needed = textWidthNeeded(widget);
        if (widget->maximumWidth() < needed) {
            widget->setMaximumWidth(needed);
        }
    });
    // A window cut narrower than its contents would hide texts however wide their widgets are.
    if (root->isWindow()) {
        const QSize needed = root->minimumSizeHint();
        if (needed.width() > root->width() || needed.height() > root->height()) {
            root->resize(root->size().expandedTo(needed));
        }
    }
}
