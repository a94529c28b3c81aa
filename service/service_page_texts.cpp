#include "service/service_page_texts.h"

#include <array>
#include <cstddef>

#include "ui/localization/language.h"

namespace {

using Row = std::array<const char*, kLanguageCount>;  // Catalan, English, Spanish, French

constexpr std::array<Row, static_cast<size_t>(PageText::kCount)> kTexts = {{
    {"El vostre compte de Tapestrique", "Your Tapestrique account", "Su cuenta de Tapestrique",
     "Votre compte Tapestrique"},
    {"Identificador de client: %s.", "Client identifier: %s.", "Identificador de cliente: %s.",
     "Identifiant client : %s."},
    {"L'identificador de client %s no est\xC3\xA0 registrat en aquest servei.",
     "The client identifier %s is not registered with this service.",
     "El identificador de cliente %s no est\xC3\xA1 registrado en este servicio.",
     "L'identifiant client %s n'est pas enregistr\xC3\xA9 aupr\xC3\xA8s de ce service."},
    {"Podeu baixar %s imatges cada dia.", "You may download %s pictures a day.",
     "Puede descargar %s im\xC3\xA1genes al d\xC3\xAD"
     "a.",
     "Vous pouvez t\xC3\xA9l\xC3\xA9"
     "charger %s images par jour."},
    {"Imatges noves", "Newest pictures", "Im\xC3\xA1genes nuevas", "Nouvelles images"},
    {"Les imatges m\xC3\xA9s recents del servei:", "The service's most recent pictures:",
     "Las im\xC3\xA1genes m\xC3\xA1s recientes del servicio:",
     "Les images les plus r\xC3\xA9"
     "centes du service :"},
    {"Encara no hi ha cap imatge.", "There are no pictures yet.",
     "Todav\xC3\xAD"
     "a no hay im\xC3\xA1genes.",
     "Il n'y a pas encore d'images."},
    {"Ajuda", "Help", "Ayuda", "Aide"},
    {"Cada sis hores Tapestrique demana al servei les imatges noves i us n'anuncia una cada hora.",
     "Every six hours Tapestrique asks the service for its newest pictures and announces one of them every hour.",
     "Cada seis horas Tapestrique pide al servicio las im\xC3\xA1genes nuevas y le anuncia una cada hora.",
     "Toutes les six heures, Tapestrique demande au service ses nouvelles images et vous en annonce une par heure."},
    {"Feu clic a la miniatura de l'anunci per veure la imatge i desar-la a la vostra col\xC2\xB7lecci\xC3\xB3.",
     "Click the announcement's thumbnail to see the picture and save it into your collection.",
     "Haga clic en la miniatura del anuncio para ver la imagen y guardarla en su colecci\xC3\xB3n.",
     "Cliquez sur la vignette de l'annonce pour voir l'image et l'enregistrer dans votre collection."},
    {"Cada client t\xC3\xA9 un nombre m\xC3\xA0xim de baixades per dia.",
     "Each client has a largest number of downloads a day.",
     "Cada cliente tiene un n\xC3\xBAmero m\xC3\xA1ximo de descargas al d\xC3\xAD"
     "a.",
     "Chaque client a un nombre maximal de t\xC3\xA9l\xC3\xA9"
     "chargements par jour."},
    {"Baixar Tapestrique", "Download Tapestrique", "Descargar Tapestrique",
     "T\xC3\xA9l\xC3\xA9"
     "charger Tapestrique"},
    {"La vostra versi\xC3\xB3: %s.", "Your version: %s.", "Su versi\xC3\xB3n: %s.", "Votre version : %s."},
    {"La versi\xC3\xB3 m\xC3\xA9s recent: %s.", "The latest version: %s.", "La versi\xC3\xB3n m\xC3\xA1s reciente: %s.",
     "La derni\xC3\xA8re version : %s."},
    {"El vostre compte", "Your account", "Su cuenta", "Votre compte"},
    {"Imatges noves", "Newest pictures", "Im\xC3\xA1genes nuevas", "Nouvelles images"},
    {"Ajuda", "Help", "Ayuda", "Aide"},
    {"Baixar", "Download", "Descargar",
     "T\xC3\xA9l\xC3\xA9"
     "charger"},
}};

}  // namespace

const char* PageTextIn(PageText text, int language) {
    if (language < 0 || language >= kLanguageCount) language = kLanguageEnglish;
    return kTexts[static_cast<size_t>(text)][static_cast<size_t>(language)];
}
