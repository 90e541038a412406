#pragma once

#include <QIntValidator>
#include <QLocale>

// Fields accept numbers exactly as the configuration model reads them: '.' as the decimal point
// and no group separators, whatever the system locale. A German locale would otherwise let
// "1,5" in, which the model reads as nothing.
QLocale modelLocale();

template <class Validator> Validator *inModelLocale(Validator *validator)
{
    validator->setLocale(modelLocale());
    return validator;
}

// The number of axles, 2 to FileFormat::MaxAxles. Unlike a plain QIntValidator it refuses numbers
// above the top while they are typed (QIntValidator lets 21 to 99 through as intermediate); "1" and
// the empty text stay intermediate so the field can be cleared and retyped.
class AxleCountValidator : public QIntValidator
{
    Q_OBJECT

public:
    explicit AxleCountValidator(QObject *parent);

    State validate(QString &input, int &pos) const override;
};
