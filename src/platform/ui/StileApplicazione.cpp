#include "platform/ui/StileApplicazione.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QStyleOption>

namespace ludra::platform {
namespace {

bool differibile(QStyle::StandardPixmap quale)
{
    switch (quale) {
    case QStyle::SP_TitleBarMenuButton:
    case QStyle::SP_TitleBarMinButton:
    case QStyle::SP_TitleBarMaxButton:
    case QStyle::SP_TitleBarCloseButton:
    case QStyle::SP_TitleBarNormalButton:
    case QStyle::SP_TitleBarShadeButton:
    case QStyle::SP_TitleBarUnshadeButton:
    case QStyle::SP_TitleBarContextHelpButton:
    case QStyle::SP_ToolBarHorizontalExtensionButton:
    case QStyle::SP_ToolBarVerticalExtensionButton:
        return true;
    default:
        return false;
    }
}

// The style's picture, asked for on first use. The style draws all of these, so the
// icon is not null before it is read; once the style is gone, it draws nothing. Of the
// option it was asked with, these pictures depend on the direction alone.
class IconaDifferita final : public QIconEngine {
public:
    IconaDifferita(const QStyle* stile, QStyle::StandardPixmap quale,
                   Qt::LayoutDirection direzione)
        : stile_(stile), quale_(quale), direzione_(direzione)
    {
    }

    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icona().actualSize(size, mode, state);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icona().pixmap(size, 1.0, mode, state);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override
    {
        return icona().pixmap(size, scale, mode, state);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        icona().paint(painter, rect, Qt::AlignCenter, mode, state);
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icona().availableSizes(mode, state);
    }

    bool isNull() override { return letta_ ? icona_.isNull() : stile_.isNull(); }
    QIconEngine* clone() const override { return new IconaDifferita(*this); }
    QString key() const override { return QStringLiteral("IconaDifferita"); }

private:
    const QIcon& icona()
    {
        if (!letta_ && stile_) {
            letta_ = true;
            QStyleOption opzione;
            opzione.direction = direzione_;
            icona_ = stile_->standardIcon(quale_, &opzione);
        }
        return icona_;
    }

    QPointer<const QStyle> stile_;
    QStyle::StandardPixmap quale_;
    Qt::LayoutDirection direzione_;
    bool letta_ = false;
    QIcon icona_;
};

} // namespace

StileApplicazione::StileApplicazione(const QString& nome) : QProxyStyle(nome) {}

QIcon StileApplicazione::standardIcon(StandardPixmap quale, const QStyleOption* opzione,
                                      const QWidget* widget) const
{
    // An option of a derived kind may carry more than the direction: that picture is
    // read at once.
    if (!differibile(quale) || (opzione && opzione->type != QStyleOption::SO_Default))
        return QProxyStyle::standardIcon(quale, opzione, widget);
    // Without an option, the style draws in the application's direction.
    const Qt::LayoutDirection direzione =
        opzione ? opzione->direction : QGuiApplication::layoutDirection();
    const int chiave = int(quale) * 3 + int(direzione);
    auto it = differite_.find(chiave);
    if (it == differite_.end())
        it = differite_.insert(chiave,
                               QIcon(new IconaDifferita(baseStyle(), quale, direzione)));
    return *it;
}

} // namespace ludra::platform
