#!/usr/bin/env python3
"""Fill the translations/*.ts files from the tables below.

Run after `cmake --build <build> --target r8_lupdate`:

    python3 tools/fill_translations.py            # fill, report what is missing
    python3 tools/fill_translations.py --check    # only report, change nothing

Every message whose source text is in TEXTS gets its translation and loses
type="unfinished"; messages not in the table are listed and left unfinished,
so lrelease warns about them until someone adds a row. The .ts files are
edited in place as text so that lupdate's layout stays as it is.

A row is (context or None, source, German, French, Italian, Spanish). A row
with a context wins over a row without one for the same source text.
"""
import html
import re
import sys
from pathlib import Path

LANGS = ["de_DE", "fr_FR", "it_IT", "es_ES"]

TEXTS = [
    # --- Airspace dialog
    (None, "Airspaces", "Lufträume", "Espaces aériens", "Spazi aerei", "Espacios aéreos"),
    (None, "Airspace", "Luftraum", "Espace aérien", "Spazio aereo", "Espacio aéreo"),
    (None, "Upload", "Hochladen", "Transférer", "Trasferisci", "Transferir"),
    (None, "Open file", "Datei öffnen", "Ouvrir un fichier", "Apri file", "Abrir archivo"),
    (None, "Close", "Schließen", "Fermer", "Chiudi", "Cerrar"),
    (None, "Memory used on instrument.", "Belegter Speicher im Instrument.",
     "Mémoire utilisée dans l'instrument.", "Memoria occupata nello strumento.",
     "Memoria ocupada en el instrumento."),
    (None, "Class", "Klasse", "Classe", "Classe", "Clase"),
    (None, "Bytes", "Bytes", "Octets", "Byte", "Bytes"),
    (None, "Openair files", "OpenAir-Dateien", "Fichiers OpenAir", "File OpenAir", "Archivos OpenAir"),
    (None, "txt Files (*.txt)", "Textdateien (*.txt)", "Fichiers texte (*.txt)",
     "File di testo (*.txt)", "Archivos de texto (*.txt)"),
    (None, "This file could not be read: %1", "Diese Datei konnte nicht gelesen werden: %1",
     "Ce fichier n'a pas pu être lu : %1", "Impossibile leggere questo file: %1",
     "No se pudo leer este archivo: %1"),
    (None, "%1%", "%1 %", "%1\u00a0%", "%1%", "%1 %"),
    (None, "Overflow!! %1%", "Speicherüberlauf!! %1 %", "Mémoire insuffisante !! %1\u00a0%",
     "Memoria insufficiente!! %1%", "¡¡Memoria insuficiente!! %1 %"),
    (None, "The window closes when the transfer has ended.",
     "Das Fenster schließt sich, wenn die Übertragung beendet ist.",
     "La fenêtre se fermera à la fin du transfert.",
     "La finestra si chiuderà al termine del trasferimento.",
     "La ventana se cerrará al terminar la transferencia."),

    # --- Airspace classes (OpenAir letter first, then its meaning)
    (None, "R restricted", "R Flugbeschränkungsgebiet", "R zone réglementée", "R zona regolamentata",
     "R zona restringida"),
    (None, "Q danger", "Q Gefahrengebiet", "Q zone dangereuse", "Q zona pericolosa", "Q zona peligrosa"),
    (None, "P prohibited", "P Luftsperrgebiet", "P zone interdite", "P zona vietata", "P zona prohibida"),
    (None, "A Class A", "A Klasse A", "A classe A", "A classe A", "A clase A"),
    (None, "B Class B", "B Klasse B", "B classe B", "B classe B", "B clase B"),
    (None, "C Class C", "C Klasse C", "C classe C", "C classe C", "C clase C"),
    (None, "D Class D", "D Klasse D", "D classe D", "D classe D", "D clase D"),
    (None, "E Class E", "E Klasse E", "E classe E", "E classe E", "E clase E"),
    (None, "F Class F", "F Klasse F", "F classe F", "F classe F", "F clase F"),
    (None, "G Class G", "G Klasse G", "G classe G", "G classe G", "G clase G"),
    (None, "GP glider prohibited", "GP Segelflugverbot", "GP interdit aux planeurs",
     "GP vietato agli alianti", "GP prohibido a planeadores"),
    (None, "CTR CTR", "CTR Kontrollzone", "CTR zone de contrôle", "CTR zona di controllo",
     "CTR zona de control"),
    (None, "W Wave Window", "W Wellenfenster", "W fenêtre d'onde", "W finestra d'onda",
     "W ventana de onda"),
    (None, "Name:<b>%1</b><br>Class:<b>%2</b><br>Floor:%3<br>Ceiling:%4<br>",
     "Name: <b>%1</b><br>Klasse: <b>%2</b><br>Untergrenze: %3<br>Obergrenze: %4<br>",
     "Nom : <b>%1</b><br>Classe : <b>%2</b><br>Plancher : %3<br>Plafond : %4<br>",
     "Nome: <b>%1</b><br>Classe: <b>%2</b><br>Limite inferiore: %3<br>Limite superiore: %4<br>",
     "Nombre: <b>%1</b><br>Clase: <b>%2</b><br>Límite inferior: %3<br>Límite superior: %4<br>"),

    # --- Catalogue and layout files
    (None, "could not access DB!", "Kein Zugriff auf die Datenbank!",
     "Impossible d'accéder à la base de données !", "Impossibile accedere al database!",
     "¡No se puede acceder a la base de datos!"),
    (None, "no sql driver!", "Kein SQL-Treiber vorhanden!", "Aucun pilote SQL !",
     "Nessun driver SQL!", "¡No hay controlador SQL!"),
    (None, "Cannot read %1: %2", "%1 kann nicht gelesen werden: %2", "Impossible de lire %1 : %2",
     "Impossibile leggere %1: %2", "No se puede leer %1: %2"),
    (None, "%1 is not a layout file (line %2: %3).", "%1 ist keine Layout-Datei (Zeile %2: %3).",
     "%1 n'est pas un fichier de mise en page (ligne %2 : %3).",
     "%1 non è un file di layout (riga %2: %3).",
     "%1 no es un archivo de diseño (línea %2: %3)."),

    # --- Main window: menu bar (&File &Edit &View F&ormat &Tools &Help)
    (None, "&File", "&Datei", "&Fichier", "&File", "&Archivo"),
    (None, "&Edit", "&Bearbeiten", "É&dition", "&Modifica", "&Edición"),
    (None, "&View", "&Ansicht", "&Affichage", "&Visualizza", "&Ver"),
    (None, "F&ormat", "&Format", "Fo&rmat", "F&ormato", "&Formato"),
    (None, "&Tools", "E&xtras", "&Outils", "&Strumenti", "&Herramientas"),
    (None, "&Help", "&Hilfe", "A&ide", "&Guida", "A&yuda"),
    # File menu
    (None, "&New", "&Neu", "&Nouveau", "&Nuovo", "&Nuevo"),
    (None, "&Open...", "Ö&ffnen...", "&Ouvrir...", "&Apri...", "&Abrir..."),
    (None, "&Save...", "&Speichern...", "&Enregistrer...", "&Salva...", "&Guardar..."),
    (None, "Save &as...", "Speichern &unter...", "Enregistrer &sous...", "Salva &con nome...",
     "Guardar &como..."),
    (None, "&%1 %2", "&%1 %2", "&%1 %2", "&%1 %2", "&%1 %2"),
    (None, "S&end to device", "An &Gerät senden", "En&voyer à l'appareil", "&Invia al dispositivo",
     "&Enviar al dispositivo"),
    (None, "&Receive from device", "Vom Gerät &empfangen", "&Recevoir de l'appareil",
     "&Ricevi dal dispositivo", "&Recibir del dispositivo"),
    # Edit menu
    (None, "&Undo", "&Rückgängig", "&Annuler", "&Annulla", "&Deshacer"),
    (None, "&Delete", "&Löschen", "&Supprimer", "&Elimina", "&Eliminar"),
    (None, "&Properties", "&Eigenschaften", "&Propriétés", "&Proprietà", "&Propiedades"),
    (None, "Preferences...", "Einstellungen...", "Préférences...", "Preferenze...", "Preferencias..."),
    # View, Help
    (None, "Format toolbar", "Werkzeugleiste Format", "Barre d'outils Format", "Barra Formato",
     "Barra de herramientas Formato"),
    (None, "File toolbar", "Werkzeugleiste Datei", "Barre d'outils Fichier", "Barra File",
     "Barra de herramientas Archivo"),
    (None, "About", "Über", "À propos", "Informazioni", "Acerca de"),
    # Format menu and tool bars
    (None, "Align top", "Oben ausrichten", "Aligner en haut", "Allinea in alto", "Alinear arriba"),
    (None, "Align bottom", "Unten ausrichten", "Aligner en bas", "Allinea in basso", "Alinear abajo"),
    (None, "Align left", "Links ausrichten", "Aligner à gauche", "Allinea a sinistra",
     "Alinear a la izquierda"),
    (None, "Align right", "Rechts ausrichten", "Aligner à droite", "Allinea a destra",
     "Alinear a la derecha"),
    (None, "Align center", "Horizontal zentrieren", "Centrer horizontalement", "Centra orizzontalmente",
     "Centrar horizontalmente"),
    (None, "Align middle", "Vertikal zentrieren", "Centrer verticalement", "Centra verticalmente",
     "Centrar verticalmente"),
    (None, "Align height", "Gleiche Höhe", "Même hauteur", "Stessa altezza", "Igualar altura"),
    (None, "Align width", "Gleiche Breite", "Même largeur", "Stessa larghezza", "Igualar anchura"),
    (None, "Vertical join", "Untereinander anfügen", "Accoler verticalement", "Accosta verticalmente",
     "Unir verticalmente"),
    (None, "Horizontal join", "Nebeneinander anfügen", "Accoler horizontalement",
     "Accosta orizzontalmente", "Unir horizontalmente"),
    (None, "Text align right", "Text rechtsbündig", "Texte aligné à droite", "Testo allineato a destra",
     "Texto alineado a la derecha"),
    (None, "Text align center", "Text zentriert", "Texte centré", "Testo centrato", "Texto centrado"),
    (None, "Text align left", "Text linksbündig", "Texte aligné à gauche", "Testo allineato a sinistra",
     "Texto alineado a la izquierda"),
    (None, "Large font", "Große Schrift", "Grande police", "Carattere grande", "Fuente grande"),
    (None, "Normal font", "Normale Schrift", "Police normale", "Carattere normale", "Fuente normal"),
    (None, "Tiny font", "Sehr kleine Schrift", "Très petite police", "Carattere piccolissimo",
     "Fuente diminuta"),
    (None, "Autosize", "Automatische Größe", "Taille automatique", "Dimensione automatica",
     "Tamaño automático"),
    (None, "Firmware", "Firmware", "Firmware", "Firmware", "Firmware"),
    (None, "File", "Datei", "Fichier", "File", "Archivo"),
    (None, "Formating", "Formatierung", "Mise en forme", "Formattazione", "Formato"),
    (None, "Editing", "Bearbeitung", "Édition", "Modifica", "Edición"),
    # Window, dialogs and messages
    (None, "Zarvin Designer", "Zarvin Designer", "Zarvin Designer", "Zarvin Designer", "Zarvin Designer"),
    (None, "Zarvin Designer\n\nDesigns the screen pages of Zarvin flight instruments and sends them to "
           "the instrument.",
     "Zarvin Designer\n\nGestaltet die Bildschirmseiten der Zarvin-Fluginstrumente und überträgt sie "
     "auf das Instrument.",
     "Zarvin Designer\n\nConçoit les pages d'écran des instruments de vol Zarvin et les envoie à "
     "l'instrument.",
     "Zarvin Designer\n\nProgetta le pagine dello schermo degli strumenti di volo Zarvin e le invia "
     "allo strumento.",
     "Zarvin Designer\n\nDiseña las páginas de pantalla de los instrumentos de vuelo Zarvin y las "
     "envía al instrumento."),
    (None, "Open an existing layout", "Vorhandenes Layout öffnen", "Ouvrir une mise en page existante",
     "Apri un layout esistente", "Abrir un diseño existente"),
    (None, "Load Layout", "Layout laden", "Charger une mise en page", "Carica layout", "Cargar diseño"),
    (None, "Save Layout", "Layout speichern", "Enregistrer la mise en page", "Salva layout",
     "Guardar diseño"),
    (None, "Layouts(*.zvl *.xml);;Layout Files(*.zvl);;xml Files (*.xml)",
     "Layouts (*.zvl *.xml);;Layout-Dateien (*.zvl);;XML-Dateien (*.xml)",
     "Mises en page (*.zvl *.xml);;Fichiers de mise en page (*.zvl);;Fichiers XML (*.xml)",
     "Layout (*.zvl *.xml);;File di layout (*.zvl);;File XML (*.xml)",
     "Diseños (*.zvl *.xml);;Archivos de diseño (*.zvl);;Archivos XML (*.xml)"),
    (None, "Layout Files (*.zvl)", "Layout-Dateien (*.zvl)", "Fichiers de mise en page (*.zvl)",
     "File di layout (*.zvl)", "Archivos de diseño (*.zvl)"),
    (None, "Cannot read %1:\n%2", "%1 kann nicht gelesen werden:\n%2", "Impossible de lire %1 :\n%2",
     "Impossibile leggere %1:\n%2", "No se puede leer %1:\n%2"),
    (None, "%1 is not a valid layout file.\nLine %2: %3", "%1 ist keine gültige Layout-Datei.\nZeile %2: %3",
     "%1 n'est pas un fichier de mise en page valide.\nLigne %2 : %3",
     "%1 non è un file di layout valido.\nRiga %2: %3",
     "%1 no es un archivo de diseño válido.\nLínea %2: %3"),
    (None, "The layout could not be saved to %1:\n%2",
     "Das Layout konnte nicht unter %1 gespeichert werden:\n%2",
     "Impossible d'enregistrer la mise en page dans %1 :\n%2",
     "Impossibile salvare il layout in %1:\n%2",
     "No se pudo guardar el diseño en %1:\n%2"),
    (None, "The layout has been modified.", "Das Layout wurde geändert.", "La mise en page a été modifiée.",
     "Il layout è stato modificato.", "El diseño ha sido modificado."),
    (None, "Do you want to save your changes?", "Möchten Sie die Änderungen speichern?",
     "Voulez-vous enregistrer les modifications ?", "Salvare le modifiche?", "¿Desea guardar los cambios?"),
    (None, "Layout has no elements!", "Das Layout enthält keine Elemente!",
     "La mise en page ne contient aucun élément !", "Il layout non contiene elementi!",
     "¡El diseño no contiene elementos!"),

    # --- Preferences
    (None, "English", "Englisch", "Anglais", "Inglese", "Inglés"),
    (None, "German", "Deutsch", "Allemand", "Tedesco", "Alemán"),
    (None, "French", "Französisch", "Français", "Francese", "Francés"),
    (None, "Italian", "Italienisch", "Italien", "Italiano", "Italiano"),
    (None, "Spanish", "Spanisch", "Espagnol", "Spagnolo", "Español"),
    (None, "Russian", "Russisch", "Russe", "Russo", "Ruso"),
    (None, "Portuguese", "Portugiesisch", "Portugais", "Portoghese", "Portugués"),
    (None, "Polish", "Polnisch", "Polonais", "Polacco", "Polaco"),
    (None, "Turkish", "Türkisch", "Turc", "Turco", "Turco"),
    (None, "Slovenian", "Slowenisch", "Slovène", "Sloveno", "Esloveno"),
    (None, "Preferences", "Einstellungen", "Préférences", "Preferenze", "Preferencias"),
    (None, "Language", "Sprache", "Langue", "Lingua", "Idioma"),
    (None, "Target Device", "Zielgerät", "Instrument cible", "Strumento di destinazione",
     "Instrumento de destino"),

    # --- Progress dialog and command sender
    (None, "Progress", "Fortschritt", "Progression", "Avanzamento", "Progreso"),
    (None, "Sending:", "Senden:", "Envoi :", "Invio:", "Enviando:"),
    (None, "Command too long for the device, not sent.", "Befehl zu lang für das Gerät, nicht gesendet.",
     "Commande trop longue pour l'appareil, non envoyée.",
     "Comando troppo lungo per il dispositivo, non inviato.",
     "Comando demasiado largo para el dispositivo, no enviado."),
    (None, "Connection to device lost.", "Verbindung zum Gerät unterbrochen.",
     "Connexion avec l'appareil perdue.", "Connessione con il dispositivo persa.",
     "Se perdió la conexión con el dispositivo."),
    (None, "Time out while sending to device.", "Zeitüberschreitung beim Senden an das Gerät.",
     "Délai dépassé pendant l'envoi à l'appareil.", "Tempo scaduto durante l'invio al dispositivo.",
     "Tiempo de espera agotado al enviar al dispositivo."),
    (None, "Device did not confirm final message!", "Das Gerät hat die letzte Nachricht nicht bestätigt!",
     "L'appareil n'a pas confirmé le dernier message !",
     "Il dispositivo non ha confermato l'ultimo messaggio!",
     "¡El dispositivo no confirmó el último mensaje!"),
    (None, "Could not connect to device.", "Keine Verbindung zum Gerät möglich.",
     "Impossible de se connecter à l'appareil.", "Impossibile connettersi al dispositivo.",
     "No se pudo conectar con el dispositivo."),
    (None, "%1 not supported.", "%1 wird nicht unterstützt.", "%1 n'est pas pris en charge.",
     "%1 non è supportato.", "%1 no es compatible."),
    (None, "Connected to %1.", "Verbunden mit %1.", "Connecté à %1.", "Connesso a %1.", "Conectado a %1."),
    (None, "All data sent.", "Alle Daten gesendet.", "Toutes les données ont été envoyées.",
     "Tutti i dati sono stati inviati.", "Todos los datos enviados."),

    # --- Element properties dialog
    (None, "Element properties", "Elementeigenschaften", "Propriétés de l'élément",
     "Proprietà dell'elemento", "Propiedades del elemento"),
    (None, "Data field", "Datenfeld", "Champ de données", "Campo dati", "Campo de datos"),
    (None, "Geometry", "Geometrie", "Géométrie", "Geometria", "Geometría"),
    (None, "Pages", "Seiten", "Pages", "Pagine", "Páginas"),
    (None, "Field", "Feld", "Champ", "Campo", "Campo"),
    (None, "Direction", "Richtung", "Direction", "Direzione", "Dirección"),
    (None, "Font", "Schrift", "Police", "Carattere", "Fuente"),
    (None, "Align", "Ausrichtung", "Alignement", "Allineamento", "Alineación"),
    (None, "Units", "Einheiten", "Unités", "Unità", "Unidades"),
    (None, "Minimum", "Minimum", "Minimum", "Minimo", "Mínimo"),
    (None, "Maximum", "Maximum", "Maximum", "Massimo", "Máximo"),
    (None, "Title", "Titel", "Titre", "Titolo", "Título"),
    (None, "Border", "Rahmen", "Bordure", "Bordo", "Borde"),
    (None, "Width", "Breite", "Largeur", "Larghezza", "Ancho"),
    (None, "Height", "Höhe", "Hauteur", "Altezza", "Alto"),
    (None, "%1:", "%1:", "%1\u00a0:", "%1:", "%1:"),
    (None, "Right", "Rechts", "Droite", "Destra", "Derecha"),
    (None, "Down", "Unten", "Bas", "Giù", "Abajo"),
    (None, "Left", "Links", "Gauche", "Sinistra", "Izquierda"),
    (None, "Up", "Oben", "Haut", "Su", "Arriba"),
    (None, "Center", "Zentriert", "Centré", "Centrato", "Centrado"),
    (None, "none", "keine", "aucune", "nessuna", "ninguna"),
    (None, "Bellow", "Darunter", "En dessous", "Sotto", "Debajo"),
    (None, "Tiny", "Sehr klein", "Très petite", "Piccolissimo", "Diminuta"),
    (None, "Normal", "Normal", "Normale", "Normale", "Normal"),
    (None, "Large", "Groß", "Grande", "Grande", "Grande"),
    (None, "Field is invalid.", "Das Feld ist ungültig.", "Le champ n'est pas valide.",
     "Il campo non è valido.", "El campo no es válido."),
    (None, "Airspace map", "Luftraumkarte", "Carte des espaces aériens", "Mappa spazi aerei",
     "Mapa de espacios aéreos"),
    (None, "Task map", "Aufgabenkarte", "Carte de la manche", "Mappa del task", "Mapa de la prueba"),

    # --- Page properties and page strip
    (None, "Airspace warning", "Luftraumwarnung", "Alerte espace aérien", "Avviso spazio aereo",
     "Aviso de espacio aéreo"),
    (None, "Entering thermal", "Einflug in die Thermik", "Entrée dans une thermique", "Ingresso in termica",
     "Entrada en térmica"),
    (None, "Transition (leaving thermal)", "Gleitflug (Thermik verlassen)", "Transition (sortie de thermique)",
     "Transizione (uscita dalla termica)", "Transición (salida de la térmica)"),
    (None, "Arriving at turnpoint", "Ankunft am Wendepunkt", "Arrivée à la balise", "Arrivo alla boa",
     "Llegada a la baliza"),
    (None, "Start opened", "Start geöffnet", "Start ouvert", "Start aperto", "Salida abierta"),
    (None, "Power up", "Einschalten", "Mise sous tension", "Accensione", "Encendido"),
    (None, "Page properties", "Seiteneigenschaften", "Propriétés de la page", "Proprietà della pagina",
     "Propiedades de la página"),
    (None, "Page Names", "Seitenname", "Nom de la page", "Nome della pagina", "Nombre de la página"),
    (None, "Enabled", "Aktiviert", "Activée", "Attivata", "Activada"),
    (None, "Form", "Formular", "Formulaire", "Modulo", "Formulario"),
    (None, "Page %1", "Seite %1", "Page %1", "Pagina %1", "Página %1"),

    # --- Firmware dialog and transfer
    (None, "Firmware upload", "Firmware-Update", "Mise à jour du firmware", "Aggiornamento firmware",
     "Actualización de firmware"),
    (None, "Send to Instrument", "An Instrument senden", "Envoyer à l'instrument", "Invia allo strumento",
     "Enviar al instrumento"),
    (None, "...", "...", "...", "...", "..."),
    (None, "Firmware file name:", "Firmware-Datei:", "Fichier du firmware :", "File del firmware:",
     "Archivo de firmware:"),
    (None, "Get Layout", "Layout abrufen", "Lire la mise en page", "Leggi layout", "Leer diseño"),
    (None, "Firmware files", "Firmware-Dateien", "Fichiers firmware", "File firmware", "Archivos de firmware"),
    (None, "firmware files (*.zvf)", "Firmware-Dateien (*.zvf)", "Fichiers firmware (*.zvf)",
     "File firmware (*.zvf)", "Archivos de firmware (*.zvf)"),
    (None, "Invalid file!", "Ungültige Datei!", "Fichier non valide !", "File non valido!", "¡Archivo no válido!"),
    (None, "Corrupt firmware file!", "Beschädigte Firmware-Datei!", "Fichier firmware corrompu !",
     "File firmware danneggiato!", "¡Archivo de firmware dañado!"),
    (None, "unknown model!", "Unbekanntes Modell!", "Modèle inconnu !", "Modello sconosciuto!",
     "¡Modelo desconocido!"),
    (None, "No instrument is connected!", "Kein Instrument angeschlossen!", "Aucun instrument n'est connecté !",
     "Nessuno strumento collegato!", "¡No hay ningún instrumento conectado!"),
    (None, "Please use Podrum application for the non SD instruments.",
     "Für Instrumente ohne SD verwenden Sie bitte das Programm Podrum.",
     "Pour les instruments sans SD, veuillez utiliser l'application Podrum.",
     "Per gli strumenti senza SD usare l'applicazione Podrum.",
     "Para los instrumentos sin SD utilice la aplicación Podrum."),
    (None, "This firmware is not for the %1", "Diese Firmware ist nicht für das %1",
     "Ce firmware n'est pas destiné au %1", "Questo firmware non è per il %1",
     "Este firmware no es para el %1"),
    (None, "Firmware file is too large!", "Die Firmware-Datei ist zu groß!",
     "Le fichier firmware est trop volumineux !", "Il file firmware è troppo grande!",
     "¡El archivo de firmware es demasiado grande!"),
    (None, "File does not exist!", "Die Datei existiert nicht!", "Le fichier n'existe pas !",
     "Il file non esiste!", "¡El archivo no existe!"),
    (None, "Starting...", "Starte...", "Démarrage...", "Avvio...", "Iniciando..."),
    (None, "Instrument not responding.", "Das Instrument antwortet nicht.", "L'instrument ne répond pas.",
     "Lo strumento non risponde.", "El instrumento no responde."),
    (None, "Waiting...%1", "Warte...%1", "Attente...%1", "Attesa...%1", "Esperando...%1"),
    (None, "Programing...", "Programmiere...", "Programmation...", "Programmazione...", "Programando..."),
    (None, "Done", "Fertig", "Terminé", "Completato", "Terminado"),
]

# Entries that share one menu must not share an accelerator letter.
MENUS = {
    "menu bar": ["&File", "&Edit", "&View", "F&ormat", "&Tools", "&Help"],
    "File": ["&New", "&Open...", "&Save...", "Save &as...", "S&end to device"],
    "Edit": ["&Undo", "&Delete", "&Properties"],
}

PLACEHOLDER = re.compile(r"%(\d+)")
MESSAGE = re.compile(r"<message( numerus=\"yes\")?>(.*?)</message>", re.S)
CONTEXT = re.compile(r"<context>\s*<name>(.*?)</name>(.*?)</context>", re.S)


def table():
    by_key = {}
    for row in TEXTS:
        ctx, src, *tr = row
        if len(tr) != len(LANGS):
            raise SystemExit(f"row for {src!r} has {len(tr)} translations")
        by_key[(ctx, src)] = dict(zip(LANGS, tr))
    return by_key


def accelerator(text):
    m = re.search(r"&([^&])", text.replace("&&", ""))
    return m.group(1).lower() if m else None


def check_table(by_key):
    problems = []
    for (ctx, src), tr in by_key.items():
        for lang, text in tr.items():
            if not text.strip():
                problems.append(f"{lang}: empty translation for {src!r}")
            if sorted(PLACEHOLDER.findall(src)) != sorted(PLACEHOLDER.findall(text)):
                problems.append(f"{lang}: placeholders differ for {src!r}: {text!r}")
            if (accelerator(src) is None) != (accelerator(text) is None):
                problems.append(f"{lang}: accelerator added or lost in {src!r}: {text!r}")
    for menu, entries in MENUS.items():
        for lang in LANGS:
            keys = [accelerator(by_key[(None, e)][lang]) for e in entries]
            if len(set(keys)) != len(keys):
                problems.append(f"{lang}: accelerator clash in {menu}: {keys}")
    return problems


def escape(text):
    # The same spelling lupdate writes, so that a later lupdate run changes nothing.
    return html.escape(text, quote=True).replace("&#x27;", "&apos;").replace("\u00a0", "&#xa0;")


def fill(path, lang, by_key, write):
    raw = path.read_text(encoding="utf-8")
    missing, count = [], 0

    def do_context(cm):
        ctx = html.unescape(cm.group(1))

        def do_message(mm):
            nonlocal count
            count += 1
            body = mm.group(2)
            src = html.unescape(re.search(r"<source>(.*?)</source>", body, re.S).group(1))
            tr = by_key.get((ctx, src)) or by_key.get((None, src))
            if tr is None:
                missing.append((ctx, src))
                return mm.group(0)
            text = escape(tr[lang])
            if mm.group(1):  # plural forms: the same text for every form
                body = re.sub(r"<numerusform>.*?</numerusform>|<numerusform/>",
                              f"<numerusform>{text}</numerusform>", body, flags=re.S)
                body = re.sub(r"<translation[^>]*>", "<translation>", body)
            else:
                body = re.sub(r"<translation[^>]*>.*?</translation>|<translation[^>]*/>",
                              lambda _: f"<translation>{text}</translation>", body, flags=re.S)
            return f"<message{mm.group(1) or ''}>{body}</message>"

        return "<context>" + cm.group(0)[len("<context>"):].replace(
            cm.group(2), MESSAGE.sub(do_message, cm.group(2)), 1)

    out = CONTEXT.sub(do_context, raw)
    if write and out != raw:
        path.write_text(out, encoding="utf-8")
    return count, missing


def main():
    write = "--check" not in sys.argv
    root = Path(__file__).resolve().parent.parent / "translations"
    by_key = table()
    problems = check_table(by_key)
    for p in problems:
        print("table:", p)
    status = 1 if problems else 0
    for lang in LANGS:
        count, missing = fill(root / f"r8designer_{lang}.ts", lang, by_key, write)
        print(f"{lang}: {count} messages, {count - len(missing)} translated")
        for ctx, src in missing:
            print(f"  missing [{ctx}] {src!r}")
            status = 1
    return status


if __name__ == "__main__":
    sys.exit(main())
