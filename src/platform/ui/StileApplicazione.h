#pragma once
// The style every window of the application is drawn in: the one Qt chose, whose
// pictures for window frames and tool bar overflows are read when first drawn.
#include <QHash>
#include <QIcon>
#include <QProxyStyle>

namespace ludra::platform {

// The start shows three windows in frames, and each frame builds a system menu with the
// style's pictures of its buttons, read and decoded from image files. The menu is
// seldom opened, and a tool bar's overflow button seldom shown: their pictures are read
// when first drawn, once for every frame.
class StileApplicazione final : public QProxyStyle {
public:
    // The style of that name draws (the one the application would use by itself).
    explicit StileApplicazione(const QString& nome);

    QIcon standardIcon(StandardPixmap quale, const QStyleOption* opzione = nullptr,
                       const QWidget* widget = nullptr) const override;

private:
    mutable QHash<int, QIcon> differite_;
};

} // namespace ludra::platform
