#include "AboutBox.h"

#include "AppIdentity.h"

#include <QApplication>
#include <QCoreApplication>
#include <QIcon>
#include <QMessageBox>

// Set for this file alone by the build, from the project's version, licence and homepage.
#ifndef ORVALIN_VERSION
#error "ORVALIN_VERSION is not defined"
#endif

namespace AboutBox {

QString title()
{
    return QCoreApplication::translate("AboutBox", "About %1").arg(AppIdentity::name());
}

QString text()
{
    const QString homepage = QStringLiteral(ORVALIN_HOMEPAGE);
    const QString paragraphs[] = {
        QStringLiteral("<b>%1 %2</b>")
            .arg(AppIdentity::name().toHtmlEscaped(), QStringLiteral(ORVALIN_VERSION)),
        QCoreApplication::translate("AboutBox",
            "Tidies up after culling: moves RAW files whose JPEG you deleted, JPEGs whose RAW "
            "you deleted, and sidecar files left behind into a review folder you can restore "
            "from. It never deletes anything.")
            .toHtmlEscaped(),
        QCoreApplication::translate(
            "AboutBox", "Free software under the %1 license, with no warranty.")
            .toHtmlEscaped()
            .arg(QStringLiteral(ORVALIN_LICENSE)),
        QCoreApplication::translate("AboutBox", "Project page: %1")
            .toHtmlEscaped()
            .arg(QStringLiteral("<a href=\"%1\">%1</a>").arg(homepage.toHtmlEscaped())),
    };
    QString html;
    for (const QString& paragraph : paragraphs)
        html += QStringLiteral("<p>%1</p>").arg(paragraph);
    return html;
}

void show(QWidget* parent)
{
    QMessageBox box(QMessageBox::NoIcon, title(), text(), QMessageBox::Ok, parent);
    box.setTextFormat(Qt::RichText);
    box.setTextInteractionFlags(Qt::TextBrowserInteraction);
    box.setIconPixmap(QApplication::windowIcon().pixmap(64, 64));
    box.exec();
}

} // namespace AboutBox
