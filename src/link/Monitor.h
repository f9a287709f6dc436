#pragma once
// The reply monitor of the manual request window (its txt_buff_rx): the link writes
// each reply's bytes here while MonitorCom is set; the window shows the text.
#include <QObject>
#include <QString>
#include <cstdint>
#include <span>

namespace ludra {

class MonitorRisposte : public QObject {
    Q_OBJECT
public:
    static MonitorRisposte& istanza();
    const QString& testo() const { return testo_; }
    void svuota();
    // Each byte as two upper-case hexadecimal digits followed by a blank.
    void mostra(std::span<const std::uint8_t> byte);

signals:
    void cambiato();

private:
    MonitorRisposte() = default;
    QString testo_;
};

} // namespace ludra
