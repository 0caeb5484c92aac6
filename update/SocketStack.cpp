#include "update/SocketStack.h"

#include <cctype>
#include <mutex>

#include "base/TextCase.h"
#include "update/Exceptions.h"

namespace zelvora {

namespace {

struct TStackServices {
    std::mutex Lock;
    int LiveComponents = 0;
    std::unique_ptr<TIdStack> Stack;
    TIdStack::TFactory Factory;
};

// Never destroyed: a lookup thread that outlives the deadline may still be inside the services when
// static destruction runs; they end when their last holder lets go, not before.
TStackServices& Services()
{
    static auto* services = new TStackServices;
    return *services;
}

}  // namespace

TIdStack& TIdStack::Instance()
{
    TStackServices& services = Services();
    std::lock_guard lock(services.Lock);
    if (!services.Stack) throw EIdException("Socket services are not started");
    return *services.Stack;
}

void TIdStack::Acquire()
{
    TStackServices& services = Services();
    std::lock_guard lock(services.Lock);
    if (services.LiveComponents == 0)
        services.Stack = services.Factory ? services.Factory() : CreatePlatformStack();
    ++services.LiveComponents;
}

void TIdStack::Release()
{
    TStackServices& services = Services();
    std::lock_guard lock(services.Lock);
    if (services.LiveComponents > 0 && --services.LiveComponents == 0) services.Stack.reset();
}

int TIdStack::Holders()
{
    TStackServices& services = Services();
    std::lock_guard lock(services.Lock);
    return services.LiveComponents;
}

void TIdStack::SetFactory(TFactory factory)
{
    TStackServices& services = Services();
    std::lock_guard lock(services.Lock);
    services.Factory = std::move(factory);
}

bool TIdStack::IsDottedQuad(const std::string& text)
{
    std::size_t start = 0;
    for (int piece = 0; piece < 4; ++piece) {
        const std::size_t end = piece < 3 ? text.find('.', start) : text.size();
        if (end == std::string::npos || end == start || end - start > 3) return false;
        int value = 0;
        for (std::size_t i = start; i < end; ++i) {
            if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
            value = value * 10 + (text[i] - '0');
        }
        if (value > 255) return false;
        start = end + 1;
    }
    return true;
}

std::string TIdStack::LookUpHost(const std::string& name)
{
    if (SameText(name, "LOCALHOST")) return "127.0.0.1";
    if (IsDottedQuad(name)) return name;
    std::string address = HostByName(name);
    if (address.empty()) RaiseLastSocketError();
    return address;
}

std::string TIdStack::Resolve(const std::string& name, int& error)
{
    std::string address = HostByName(name);
    error = address.empty() ? WSGetLastError() : 0;
    return address;
}

void TIdStack::RaiseSocketError(int number)
{
    lastError_ = number;
    throw EIdSocketError(number);
}

const char* SocketErrorText(int number)
{
    switch (number) {
        case 10004:
            return "Unterbrochener Systemaufruf.";
        case 10009:
            return "Falsche Dateinummer.";
        case 10013:
            return "Zugriff verweigert.";
        case 10014:
            return "Falsche Adresse.";
        case 10022:
            return "Ung\xFC"
                   "ltiges Argument.";
        case 10024:
            return "Zu viele ge\xF6"
                   "ffnete Dateien.";
        case 10035:
            return "Die Operation w\xFC"
                   "rde blockieren. ";
        case 10036:
            return "Die Operation wird gerade durchgef\xFC"
                   "hrt.";
        case 10037:
            return "Die Operation wird bereits durchgef\xFC"
                   "hrt.";
        case 10038:
            return "Socket-Operation auf Nicht-Socket.";
        case 10039:
            return "Zieladresse erforderlich.";
        case 10040:
            return "Die Botschaft ist zu lang.";
        case 10041:
            return "Das Protokoll hat f\xFC"
                   "r Socket den falschen Typ.";
        case 10042:
            return "Falsche Protokolloption.";
        case 10043:
            return "Das Protokoll wird nicht unterst\xFC"
                   "tzt.";
        case 10044:
            return "Sockettyp wird nicht unterst\xFC"
                   "tzt.";
        case 10045:
            return "Die Operation wird bei Socket nicht unterst\xFC"
                   "tzt.";
        case 10046:
            return "Die Protokollfamilie wird nicht unterst\xFC"
                   "tzt.";
        case 10047:
            return "Die Adressfamilie wird von der Protokollfamilie nicht unterst\xFC"
                   "tzt.";
        case 10048:
            return "Die Adresse ist bereits in Gebrauch.";
        case 10049:
            return "Die angeforderte Adresse kann nicht zugewiesen werden.";
        case 10050:
            return "Das Netzwerk ist ausgefallen.";
        case 10051:
            return "Das Netzwerk ist nicht erreichbar.";
        case 10052:
            return "Netz hat die Verbindung verloren oder zur\xFC"
                   "ckgesetzt.";
        case 10053:
            return "Die Software hat den Abbruch der Verbindung verursacht.";
        case 10054:
            return "Die Verbindung wurde von Peer zur\xFC"
                   "ckgesetzt.";
        case 10055:
            return "Es ist kein Pufferplatz verf\xFC"
                   "gbar.";
        case 10056:
            return "Socket ist bereits verbunden.";
        case 10057:
            return "Socket ist nicht verbunden.";
        case 10058:
            return "Nach Schlie\xDF"
                   "en des Socket kann weder gesendet noch empfangen werden.";
        case 10059:
            return "Zu viele Referenzen; keine Verbindungen m\xF6"
                   "glich.";
        case 10060:
            return "Zeit\xFC"
                   "berschreitung bei Verbindung.";
        case 10061:
            return "Verbindung abgelehnt.";
        case 10062:
            return "Zu viele Ebenen von symbolischen Links.";
        case 10063:
            return "Dateiname ist zu lang.";
        case 10064:
            return "Der Host ist ausgefallen.";
        case 10065:
            return "Keine Route zum Host.";
        case 10066:
            return "Verzeichnis ist nicht leer";
        case 11001:
            return "Host nicht gefunden.";
        default:
            return "";
    }
}

std::string SocketErrorMessage(int number)
{
    return "Socket-Fehler # " + std::to_string(number) + "\r\n" + SocketErrorText(number);
}

EIdSocketError::EIdSocketError(int number) : EIdException(SocketErrorMessage(number)), number_(number) {}

}  // namespace zelvora
