// The About dialog: the version line is built here, everything else is in the form.
#include "about.h"
#include "ui_about.h"

About::About(QWidget *parent, const QString &version)
    : QDialog(parent)
    , ui(new Ui::About)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    ui->labelVersion->setText(tr("Veltora %1 (x64)").arg(version));
}

About::~About()
{
    delete ui;
}
