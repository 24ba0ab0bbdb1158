#include "platform/SystemError.h"

#include <cerrno>

namespace platform {

std::string FrenchReason(int code) {
    switch (code) {
    case ENOENT:
        return "fichier ou dossier introuvable";
    case EACCES:
    case EPERM:
        return "permission refusée";
    case EISDIR:
        return "c'est un dossier";
    case ENOTDIR:
        return "un élément du chemin n'est pas un dossier";
    case ENOSPC:
        return "plus de place sur le disque";
    case EDQUOT:
        return "quota de disque atteint";
    case EFBIG:
        return "fichier trop grand";
    case EROFS:
        return "système de fichiers en lecture seule";
    case EBUSY:
        return "occupé par un autre programme";
    case ENOTTY:
        return "ce n'est pas un port série";
    case ENXIO:
    case ENODEV:
        return "périphérique absent";
    case EIO:
        return "erreur d'entrée-sortie";
    case ENAMETOOLONG:
        return "nom trop long";
    case ELOOP:
        return "trop de liens symboliques";
    case ENOMEM:
        return "mémoire épuisée";
    case EMFILE:
    case ENFILE:
        return "trop de fichiers ouverts";
    case EPIPE:
        return "le lecteur a fermé la sortie";
    case EAGAIN:
        return "ressource momentanément indisponible";
    case EINTR:
        return "appel système interrompu";
    default:
        return "erreur système n° " + std::to_string(code);
    }
}

std::string LastFrenchReason() {
    return FrenchReason(errno);
}

} // namespace platform
