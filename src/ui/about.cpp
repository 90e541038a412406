// The About dialog: the version line is built here, everything else is in the form.
#include "about.h"
#include "textfit.h"
#include "ui_about.h"

About::About(QWidget *parent, const QString &version)
    : QDialog(parent)
    , ui(new Ui::About)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    ui->labelVersion->setText(tr("Veltora %1 (x64)").arg(version));
    TextFit::keep(this);

    // The credit wraps to the dialog's width. Where the form's fonts are missing, the fallback
    // fonts are wider and the wrapped credit would run under the OK button: grow just enough.
    const int needed = heightForWidth(width());
    if (needed > height()) {
        resize(width(), needed);
    }
}

About::~About()
{
    delete ui;
}
