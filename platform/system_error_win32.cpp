#include "platform/SystemError.h"

#include <windows.h>

namespace platform {

std::string FrenchReason(int code) {
    switch (static_cast<DWORD>(code)) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
        return "fichier ou dossier introuvable";
    case ERROR_ACCESS_DENIED:
        return "permission refusée";
    case ERROR_DIRECTORY:
        return "c'est un dossier";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return "plus de place sur le disque";
    case ERROR_WRITE_PROTECT:
        return "support protégé en écriture";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_BUSY:
        return "occupé par un autre programme";
    case ERROR_INVALID_HANDLE:
    case ERROR_NOT_SUPPORTED:
        return "ce n'est pas un port série";
    case ERROR_DEV_NOT_EXIST:
    case ERROR_DEVICE_NOT_CONNECTED:
        return "périphérique absent";
    case ERROR_GEN_FAILURE:
    case ERROR_IO_DEVICE:
    case ERROR_CRC:
        return "erreur d'entrée-sortie";
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BUFFER_OVERFLOW:
        return "nom trop long";
    case ERROR_INVALID_NAME:
        return "nom de fichier incorrect";
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return "mémoire épuisée";
    case ERROR_TOO_MANY_OPEN_FILES:
        return "trop de fichiers ouverts";
    case ERROR_BROKEN_PIPE:
    case ERROR_NO_DATA:
        return "le lecteur a fermé la sortie";
    case ERROR_OPERATION_ABORTED:
        return "opération interrompue";
    default:
        return "erreur système n° " + std::to_string(code);
    }
}

std::string LastFrenchReason() {
    return FrenchReason(static_cast<int>(GetLastError()));
}

} // namespace platform
