#pragma once

#include <QObject>

class QEvent;
class QLineEdit;
class QString;
class QWidget;

// Keeps every text of a window or dialog whole in whatever font the desktop gives it. The
// widths a form sets are minimums: a label or button is never narrower than its text, and a
// line edit is as wide as the widest number a field shows ("888888.88") and as the text it
// holds. Widgets added later are fitted when they join the layout, and a window grows to its
// contents. Only widgets placed by a layout are fitted: the editors inside spin boxes, combo
// boxes and item views belong to their owners.
class TextFit : public QObject
{
    Q_OBJECT

public:
    // Fits the widgets of `root` now and whenever its layout changes; the fitter is a child of
    // `root` and goes with it.
    static void keep(QWidget *root);
    // Fits `edit` now and whenever its text changes. `keep` does this for every edit it finds;
    // an edit made later can call it to be fitted before the layout runs.
    static void follow(QLineEdit *edit);
    // The width an edit needs to show `text` whole: the text's advance in the edit's font, the
    // edit's text margins and the style's frame.
    static int editWidth(const QLineEdit *edit, const QString &text);
    // The minimum width the form gave `widget` before anything was fitted.
    static int designWidth(QWidget *widget);

    // The widest text a number field shows: six digits, the point and two decimals.
    static const char widestNumber[];

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit TextFit(QWidget *root);
    void fitAll();
    static void fitEdit(QLineEdit *edit);

    QWidget *root;
};
