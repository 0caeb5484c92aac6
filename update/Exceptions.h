// The network layer's exceptions. Their texts are the program's own, German, in Windows-1252.
#pragma once

#include <stdexcept>
#include <string>

namespace zelvora {

class EIdException : public std::runtime_error {
public:
    explicit EIdException(const std::string& message) : std::runtime_error(message) {}
};

// Texts in Windows-1252; octal escapes end after three digits, so a word needs no split literal.
#define ZELVORA_ID_EXCEPTION(Name, Base, Text)                       \
    class Name : public Base {                                       \
    public:                                                          \
        Name() : Base(Text) {}                                       \
        explicit Name(const std::string& message) : Base(message) {} \
    };

ZELVORA_ID_EXCEPTION(EIdStackInitializationFailed, EIdException, "Fehler bei der Winsock-Initialisierung.")
ZELVORA_ID_EXCEPTION(EIdAlreadyConnected, EIdException, "Verbindung besteht bereits.")
ZELVORA_ID_EXCEPTION(EIdInvalidSocket, EIdException, "Socket kann nicht zugewiesen werden.")
ZELVORA_ID_EXCEPTION(EIdCouldNotBindSocket, EIdException,
                     "Socket konnte nicht gebunden werden. Adresse und Port werden bereits benutzt.")
ZELVORA_ID_EXCEPTION(EIdConnectTimeout, EIdException, "Zeit\374berschreitung der Verbindung.")
ZELVORA_ID_EXCEPTION(EIdConnectException, EIdException, "")
ZELVORA_ID_EXCEPTION(EIdReadTimeout, EIdException, "Zeit\374berschreitung beim Lesen")
ZELVORA_ID_EXCEPTION(EIdConnClosedGracefully, EIdException, "Die Verbindung wurde erfolgreich geschlossen.")
ZELVORA_ID_EXCEPTION(EIdNotConnected, EIdException, "Nicht verbunden")
ZELVORA_ID_EXCEPTION(EIdClosedSocket, EIdException, "Verbindung aufgehoben.")
ZELVORA_ID_EXCEPTION(EIdReadLnMaxLineLengthExceeded, EIdException, "Max. Zeilenl\344nge \374berschritten.")
ZELVORA_ID_EXCEPTION(EIdStackSetSizeExceeded, EIdException, "Mengengr\366\337e \374berschritten.")
ZELVORA_ID_EXCEPTION(EIdNotEnoughDataInBuffer, EIdException, "Nicht gen\374gend Daten im Puffer.")
ZELVORA_ID_EXCEPTION(EIdUnknownProtocol, EIdException, "")
ZELVORA_ID_EXCEPTION(EIdIOHandlerPropInvalid, EIdException, "Wert f\374r IOHandler ist ung\374ltig")
ZELVORA_ID_EXCEPTION(EIdURIException, EIdException, "")
ZELVORA_ID_EXCEPTION(EIdInvalidPortRange, EIdException, "")
ZELVORA_ID_EXCEPTION(EIdCanNotBindPortInRange, EIdException, "")

#undef ZELVORA_ID_EXCEPTION

// A failing socket call: "Socket-Fehler # n" and the error's text.
class EIdSocketError : public EIdException {
public:
    explicit EIdSocketError(int number);
    int LastError() const { return number_; }

private:
    int number_;
};

// The socket library could not be loaded or called; the message adds the system's text for the number.
class EIdWS2StubError : public EIdException {
public:
    EIdWS2StubError(const std::string& title, int number, const std::string& systemText)
        : EIdException(number != 0 ? title + ": " + systemText : title), title_(title), number_(number)
    {
    }
    const std::string& Title() const { return title_; }
    int Win32Error() const { return number_; }

private:
    std::string title_;
    int number_;
};

class EIdProtocolReplyError : public EIdException {
public:
    EIdProtocolReplyError(int code, const std::string& message) : EIdException(message), code_(code) {}
    int ReplyErrorCode() const { return code_; }

private:
    int code_;
};

// A status outside 2xx or a redirect: the status line, its code and the body read for it.
class EIdHTTPProtocolException : public EIdProtocolReplyError {
public:
    EIdHTTPProtocolException(int code, const std::string& statusLine, std::string errorMessage)
        : EIdProtocolReplyError(code, statusLine), errorMessage_(std::move(errorMessage))
    {
    }
    const std::string& ErrorMessage() const { return errorMessage_; }

private:
    std::string errorMessage_;
};

// The runtime's failed conversion of a text to a number.
class EConvertError : public std::runtime_error {
public:
    explicit EConvertError(const std::string& text)
        : std::runtime_error("'" + text + "' ist kein g\374ltiger Integerwert")
    {
    }
};

// "Socket-Fehler # %d\r\n%s" with the text for the number (empty for numbers without one).
std::string SocketErrorMessage(int number);
const char* SocketErrorText(int number);

}  // namespace zelvora
