<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>ASpaceList</name>
    <message>
        <source>Airspaces</source>
        <translation>Espaces aériens</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Transférer</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>Ouvrir un fichier</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Memory used on instrument.</source>
        <translation>Mémoire utilisée dans l&apos;instrument.</translation>
    </message>
    <message>
        <source>Airspace</source>
        <translation>Espace aérien</translation>
    </message>
    <message>
        <source>Class</source>
        <translation>Classe</translation>
    </message>
    <message>
        <source>Bytes</source>
        <translation>Octets</translation>
    </message>
    <message>
        <source>Openair files</source>
        <translation>Fichiers OpenAir</translation>
    </message>
    <message>
        <source>txt Files (*.txt)</source>
        <translation>Fichiers texte (*.txt)</translation>
    </message>
    <message>
        <source>This file could not be read: %1</source>
        <translation>Ce fichier n&apos;a pas pu être lu : %1</translation>
    </message>
    <message>
        <source>%1%</source>
        <translation>%1&#xa0;%</translation>
    </message>
    <message>
        <source>Overflow!! %1%</source>
        <translation>Mémoire insuffisante !! %1&#xa0;%</translation>
    </message>
    <message>
        <source>The window closes when the transfer has ended.</source>
        <translation>La fenêtre se fermera à la fin du transfert.</translation>
    </message>
</context>
<context>
    <name>AirSpace</name>
    <message>
        <source>R restricted</source>
        <translation>R zone réglementée</translation>
    </message>
    <message>
        <source>Q danger</source>
        <translation>Q zone dangereuse</translation>
    </message>
    <message>
        <source>P prohibited</source>
        <translation>P zone interdite</translation>
    </message>
    <message>
        <source>A Class A</source>
        <translation>A classe A</translation>
    </message>
    <message>
        <source>B Class B</source>
        <translation>B classe B</translation>
    </message>
    <message>
        <source>C Class C</source>
        <translation>C classe C</translation>
    </message>
    <message>
        <source>D Class D</source>
        <translation>D classe D</translation>
    </message>
    <message>
        <source>GP glider prohibited</source>
        <translation>GP interdit aux planeurs</translation>
    </message>
    <message>
        <source>CTR CTR</source>
        <translation>CTR zone de contrôle</translation>
    </message>
    <message>
        <source>W Wave Window</source>
        <translation>W fenêtre d&apos;onde</translation>
    </message>
    <message>
        <source>Name:&lt;b&gt;%1&lt;/b&gt;&lt;br&gt;Class:&lt;b&gt;%2&lt;/b&gt;&lt;br&gt;Floor:%3&lt;br&gt;Ceiling:%4&lt;br&gt;</source>
        <translation>Nom : &lt;b&gt;%1&lt;/b&gt;&lt;br&gt;Classe : &lt;b&gt;%2&lt;/b&gt;&lt;br&gt;Plancher : %3&lt;br&gt;Plafond : %4&lt;br&gt;</translation>
    </message>
</context>
<context>
    <name>DataFields</name>
    <message>
        <source>could not access DB!</source>
        <translation>Impossible d&apos;accéder à la base de données !</translation>
    </message>
</context>
<context>
    <name>LayoutFile</name>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>Impossible de lire %1 : %2</translation>
    </message>
    <message>
        <source>%1 is not a layout file (line %2: %3).</source>
        <translation>%1 n&apos;est pas un fichier de mise en page (ligne %2 : %3).</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Zarvin Designer</source>
        <translation>Zarvin Designer</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Nouveau</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Ouvrir...</translation>
    </message>
    <message>
        <source>Open an existing layout</source>
        <translation>Ouvrir une mise en page existante</translation>
    </message>
    <message>
        <source>&amp;Save...</source>
        <translation>&amp;Enregistrer...</translation>
    </message>
    <message>
        <source>Save &amp;as...</source>
        <translation>Enregistrer &amp;sous...</translation>
    </message>
    <message>
        <source>S&amp;end to device</source>
        <translation>En&amp;voyer à l&apos;appareil</translation>
    </message>
    <message>
        <source>&amp;Receive from device</source>
        <translation>&amp;Recevoir de l&apos;appareil</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Supprimer</translation>
    </message>
    <message>
        <source>&amp;Properties</source>
        <translation>&amp;Propriétés</translation>
    </message>
    <message>
        <source>Preferences...</source>
        <translation>Préférences...</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Format toolbar</source>
        <translation>Barre d&apos;outils Format</translation>
    </message>
    <message>
        <source>File toolbar</source>
        <translation>Barre d&apos;outils Fichier</translation>
    </message>
    <message>
        <source>Align top</source>
        <translation>Aligner en haut</translation>
    </message>
    <message>
        <source>Align bottom</source>
        <translation>Aligner en bas</translation>
    </message>
    <message>
        <source>Align left</source>
        <translation>Aligner à gauche</translation>
    </message>
    <message>
        <source>Align right</source>
        <translation>Aligner à droite</translation>
    </message>
    <message>
        <source>Align center</source>
        <translation>Centrer horizontalement</translation>
    </message>
    <message>
        <source>Align middle</source>
        <translation>Centrer verticalement</translation>
    </message>
    <message>
        <source>Align height</source>
        <translation>Même hauteur</translation>
    </message>
    <message>
        <source>Align width</source>
        <translation>Même largeur</translation>
    </message>
    <message>
        <source>Vertical join</source>
        <translation>Accoler verticalement</translation>
    </message>
    <message>
        <source>Horizontal join</source>
        <translation>Accoler horizontalement</translation>
    </message>
    <message>
        <source>Text align right</source>
        <translation>Texte aligné à droite</translation>
    </message>
    <message>
        <source>Text align center</source>
        <translation>Texte centré</translation>
    </message>
    <message>
        <source>Text align left</source>
        <translation>Texte aligné à gauche</translation>
    </message>
    <message>
        <source>Large font</source>
        <translation>Grande police</translation>
    </message>
    <message>
        <source>Normal font</source>
        <translation>Police normale</translation>
    </message>
    <message>
        <source>Tiny font</source>
        <translation>Très petite police</translation>
    </message>
    <message>
        <source>Autosize</source>
        <translation>Taille automatique</translation>
    </message>
    <message>
        <source>Airspaces</source>
        <translation>Espaces aériens</translation>
    </message>
    <message>
        <source>Firmware</source>
        <translation>Firmware</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>É&amp;dition</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Affichage</translation>
    </message>
    <message>
        <source>F&amp;ormat</source>
        <translation>Fo&amp;rmat</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Outils</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;ide</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Formating</source>
        <translation>Mise en forme</translation>
    </message>
    <message>
        <source>Editing</source>
        <translation>Édition</translation>
    </message>
    <message>
        <source>Zarvin Designer

Designs the screen pages of Zarvin flight instruments and sends them to the instrument.</source>
        <translation>Zarvin Designer

Conçoit les pages d&apos;écran des instruments de vol Zarvin et les envoie à l&apos;instrument.</translation>
    </message>
    <message>
        <source>Load Layout</source>
        <translation>Charger une mise en page</translation>
    </message>
    <message>
        <source>Layouts(*.zvl *.xml);;Layout Files(*.zvl);;xml Files (*.xml)</source>
        <translation>Mises en page (*.zvl *.xml);;Fichiers de mise en page (*.zvl);;Fichiers XML (*.xml)</translation>
    </message>
    <message>
        <source>Save Layout</source>
        <translation>Enregistrer la mise en page</translation>
    </message>
    <message>
        <source>Layout Files (*.zvl)</source>
        <translation>Fichiers de mise en page (*.zvl)</translation>
    </message>
    <message>
        <source>Cannot read %1:
%2</source>
        <translation>Impossible de lire %1 :
%2</translation>
    </message>
    <message>
        <source>%1 is not a valid layout file.
Line %2: %3</source>
        <translation>%1 n&apos;est pas un fichier de mise en page valide.
Ligne %2 : %3</translation>
    </message>
    <message>
        <source>The layout could not be saved to %1:
%2</source>
        <translation>Impossible d&apos;enregistrer la mise en page dans %1 :
%2</translation>
    </message>
    <message>
        <source>&amp;%1 %2</source>
        <translation>&amp;%1 %2</translation>
    </message>
    <message>
        <source>The layout has been modified.</source>
        <translation>La mise en page a été modifiée.</translation>
    </message>
    <message>
        <source>Do you want to save your changes?</source>
        <translation>Voulez-vous enregistrer les modifications ?</translation>
    </message>
    <message>
        <source>Layout has no elements!</source>
        <translation>La mise en page ne contient aucun élément !</translation>
    </message>
</context>
<context>
    <name>PreferencesDialog</name>
    <message>
        <source>English</source>
        <translation>Anglais</translation>
    </message>
    <message>
        <source>German</source>
        <translation>Allemand</translation>
    </message>
    <message>
        <source>French</source>
        <translation>Français</translation>
    </message>
    <message>
        <source>Italian</source>
        <translation>Italien</translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation>Espagnol</translation>
    </message>
    <message>
        <source>Russian</source>
        <translation>Russe</translation>
    </message>
    <message>
        <source>Portuguese</source>
        <translation>Portugais</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Préférences</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>Target Device</source>
        <translation>Instrument cible</translation>
    </message>
</context>
<context>
    <name>Progress</name>
    <message>
        <source>Progress</source>
        <translation>Progression</translation>
    </message>
    <message>
        <source>Sending:</source>
        <translation>Envoi :</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>no sql driver!</source>
        <translation>Aucun pilote SQL !</translation>
    </message>
</context>
<context>
    <name>R8elementProp</name>
    <message>
        <source>Element properties</source>
        <translation>Propriétés de l&apos;élément</translation>
    </message>
    <message>
        <source>Data field</source>
        <translation>Champ de données</translation>
    </message>
    <message>
        <source>Geometry</source>
        <translation>Géométrie</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Pages</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Champ</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>Direction</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Police</translation>
    </message>
    <message>
        <source>Align</source>
        <translation>Alignement</translation>
    </message>
    <message>
        <source>Units</source>
        <translation>Unités</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titre</translation>
    </message>
    <message>
        <source>Border</source>
        <translation>Bordure</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Largeur</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Hauteur</translation>
    </message>
    <message>
        <source>%1:</source>
        <translation>%1&#xa0;:</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Droite</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Bas</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Gauche</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Haut</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>Centré</translation>
    </message>
    <message>
        <source>none</source>
        <translation>aucune</translation>
    </message>
    <message>
        <source>Bellow</source>
        <translation>En dessous</translation>
    </message>
    <message>
        <source>Tiny</source>
        <translation>Très petite</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normale</translation>
    </message>
    <message>
        <source>Large</source>
        <translation>Grande</translation>
    </message>
    <message>
        <source>Field is invalid.</source>
        <translation>Le champ n&apos;est pas valide.</translation>
    </message>
</context>
<context>
    <name>ScreenLayoutProps</name>
    <message>
        <source>Airspace warning</source>
        <translation>Alerte espace aérien</translation>
    </message>
    <message>
        <source>Entering thermal</source>
        <translation>Entrée dans une thermique</translation>
    </message>
    <message>
        <source>Transition (leaving thermal)</source>
        <translation>Transition (sortie de thermique)</translation>
    </message>
    <message>
        <source>Arriving at turnpoint</source>
        <translation>Arrivée à la balise</translation>
    </message>
    <message>
        <source>Start opened</source>
        <translation>Start ouvert</translation>
    </message>
    <message>
        <source>Power up</source>
        <translation>Mise sous tension</translation>
    </message>
    <message>
        <source>Page properties</source>
        <translation>Propriétés de la page</translation>
    </message>
    <message>
        <source>Page Names</source>
        <translation>Nom de la page</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Activée</translation>
    </message>
</context>
<context>
    <name>ScreenThumb</name>
    <message>
        <source>Form</source>
        <translation>Formulaire</translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation>Page %1</translation>
    </message>
</context>
<context>
    <name>ZvCommandSender</name>
    <message>
        <source>Command too long for the device, not sent.</source>
        <translation>Commande trop longue pour l&apos;appareil, non envoyée.</translation>
    </message>
    <message>
        <source>Connection to device lost.</source>
        <translation>Connexion avec l&apos;appareil perdue.</translation>
    </message>
    <message>
        <source>Time out while sending to device.</source>
        <translation>Délai dépassé pendant l&apos;envoi à l&apos;appareil.</translation>
    </message>
    <message>
        <source>Device did not confirm final message!</source>
        <translation>L&apos;appareil n&apos;a pas confirmé le dernier message !</translation>
    </message>
    <message>
        <source>Could not connect to device.</source>
        <translation>Impossible de se connecter à l&apos;appareil.</translation>
    </message>
    <message>
        <source>%1 not supported.</source>
        <translation>%1 n&apos;est pas pris en charge.</translation>
    </message>
    <message>
        <source>Connected to %1.</source>
        <translation>Connecté à %1.</translation>
    </message>
    <message>
        <source>All data sent.</source>
        <translation>Toutes les données ont été envoyées.</translation>
    </message>
</context>
<context>
    <name>firmwareSender</name>
    <message>
        <source>Firmware upload</source>
        <translation>Mise à jour du firmware</translation>
    </message>
    <message>
        <source>Send to Instrument</source>
        <translation>Envoyer à l&apos;instrument</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Firmware file name:</source>
        <translation>Fichier du firmware :</translation>
    </message>
    <message>
        <source>Get Layout</source>
        <translation>Lire la mise en page</translation>
    </message>
    <message>
        <source>Firmware files</source>
        <translation>Fichiers firmware</translation>
    </message>
    <message>
        <source>firmware files (*.zvf)</source>
        <translation>Fichiers firmware (*.zvf)</translation>
    </message>
</context>
<context>
    <name>firmwareToDevice</name>
    <message>
        <source>Invalid file!</source>
        <translation>Fichier non valide !</translation>
    </message>
    <message>
        <source>Corrupt firmware file!</source>
        <translation>Fichier firmware corrompu !</translation>
    </message>
    <message>
        <source>unknown model!</source>
        <translation>Modèle inconnu !</translation>
    </message>
    <message>
        <source>No instrument is connected!</source>
        <translation>Aucun instrument n&apos;est connecté !</translation>
    </message>
    <message>
        <source>Please use Podrum application for the non SD instruments.</source>
        <translation>Pour les instruments sans SD, veuillez utiliser l&apos;application Podrum.</translation>
    </message>
    <message>
        <source>This firmware is not for the %1</source>
        <translation>Ce firmware n&apos;est pas destiné au %1</translation>
    </message>
    <message>
        <source>Firmware file is too large!</source>
        <translation>Le fichier firmware est trop volumineux !</translation>
    </message>
    <message>
        <source>File does not exist!</source>
        <translation>Le fichier n&apos;existe pas !</translation>
    </message>
    <message>
        <source>Starting...</source>
        <translation>Démarrage...</translation>
    </message>
    <message>
        <source>Instrument not responding.</source>
        <translation>L&apos;instrument ne répond pas.</translation>
    </message>
    <message>
        <source>Waiting...%1</source>
        <translation>Attente...%1</translation>
    </message>
    <message>
        <source>Programing...</source>
        <translation>Programmation...</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
</context>
</TS>
