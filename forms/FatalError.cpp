#include "forms/FatalError.h"

#include "platform/Failure.h"

#include <new>
#include <stdexcept>

namespace forms {
namespace {

std::string description(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const platform::Failure& failure) {
        return failure.what();
    } catch (const std::bad_alloc&) {
        return "Mémoire insuffisante";
    } catch (const std::invalid_argument&) {
        return "Argument ou appel de procédure incorrect";
    } catch (const std::out_of_range&) {
        return "Indice en dehors de la plage";
    } catch (const std::overflow_error&) {
        return "Dépassement de capacité";
    } catch (const std::exception& other) {
        return std::string("Erreur d'exécution (") + other.what() + ")";
    } catch (...) {
        return "Erreur d'exécution inconnue";
    }
}

} // namespace

std::string FatalErrorText(std::exception_ptr error) {
    return description(error) + "\n\nLe programme va se fermer.";
}

} // namespace forms
