// Validators shared by the main window and the units dialog.
#include "numbervalidators.h"
#include "fileformat.h"

QLocale modelLocale()
{
    QLocale locale = QLocale::c();
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    return locale;
}

AxleCountValidator::AxleCountValidator(QObject *parent)
    : QIntValidator(2, FileFormat::MaxAxles, parent)
{
}

QValidator::State AxleCountValidator::validate(QString &input, int &pos) const
{
    const State state = QIntValidator::validate(input, pos);
    if (state != Intermediate) {
        return state;
    }
    bool ok = false;
    const qlonglong value = locale().toLongLong(input, &ok);
    return ok && value > top() ? Invalid : Intermediate;
}
