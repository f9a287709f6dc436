#pragma once
// libmodbus, a Modbus implementation written elsewhere, as a peer: its TCP server on
// 127.0.0.1 and its RTU server on one end of a pseudo-terminal pair, each on its own
// thread.
#include "sim/Simulatore.h"

#include <modbus/modbus.h>

#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace ludra::test {

class ServerLibmodbus {
public:
    // TCP on 127.0.0.1, any free port.
    ServerLibmodbus()
    {
        mappa = modbus_mapping_new(1025, 0, 1025, 1025);
        ctx_ = modbus_new_tcp("127.0.0.1", 0);
        ascolto_ = modbus_tcp_listen(ctx_, 1);
        if (ascolto_ < 0)
            return;
        sockaddr_in a {};
        socklen_t l = sizeof a;
        ::getsockname(ascolto_, reinterpret_cast<sockaddr*>(&a), &l);
        porta = ntohs(a.sin_port);
        thread_ = std::thread([this] {
            if (modbus_tcp_accept(ctx_, &ascolto_) < 0)
                return;
            servi();
        });
    }
    // RTU on the given device, node `nodo`.
    ServerLibmodbus(const std::string& dispositivo, int nodo)
    {
        mappa = modbus_mapping_new(1025, 0, 1025, 1025);
        ctx_ = modbus_new_rtu(dispositivo.c_str(), 115200, 'N', 8, 1);
        modbus_set_slave(ctx_, nodo);
        if (modbus_connect(ctx_) != 0)
            return;
        porta = 1;
        thread_ = std::thread([this] { servi(); });
    }
    ~ServerLibmodbus()
    {
        fine_ = true;
        if (ascolto_ >= 0)
            ::shutdown(ascolto_, SHUT_RDWR);
        if (thread_.joinable())
            thread_.join();
        if (ascolto_ >= 0)
            ::close(ascolto_);
        modbus_close(ctx_);
        modbus_free(ctx_);
        modbus_mapping_free(mappa);
    }
    bool avviato() const { return porta != 0; }
    int porta = 0;
    modbus_mapping_t* mappa = nullptr;

private:
    void servi()
    {
        modbus_set_indication_timeout(ctx_, 0, 50'000);
        std::uint8_t domanda[MODBUS_TCP_MAX_ADU_LENGTH];
        while (!fine_) {
            const int n = modbus_receive(ctx_, domanda);
            if (n > 0)
                modbus_reply(ctx_, domanda, n, mappa);
            else if (n < 0 && errno != ETIMEDOUT && errno != EMBBADCRC && errno != EMBBADDATA)
                return;
        }
    }

    modbus_t* ctx_ = nullptr;
    int ascolto_ = -1;
    std::atomic<bool> fine_{false};
    std::thread thread_;
};

} // namespace ludra::test
