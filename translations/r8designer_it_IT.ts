<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT">
<context>
    <name>ASpaceList</name>
    <message>
        <source>Airspaces</source>
        <translation>Spazi aerei</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Trasferisci</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>Apri file</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Chiudi</translation>
    </message>
    <message>
        <source>Memory used on instrument.</source>
        <translation>Memoria occupata nello strumento.</translation>
    </message>
    <message>
        <source>Airspace</source>
        <translation>Spazio aereo</translation>
    </message>
    <message>
        <source>Class</source>
        <translation>Classe</translation>
    </message>
    <message>
        <source>Bytes</source>
        <translation>Byte</translation>
    </message>
    <message>
        <source>Openair files</source>
        <translation>File OpenAir</translation>
    </message>
    <message>
        <source>txt Files (*.txt)</source>
        <translation>File di testo (*.txt)</translation>
    </message>
    <message>
        <source>This file could not be read: %1</source>
        <translation>Impossibile leggere questo file: %1</translation>
    </message>
    <message>
        <source>%1%</source>
        <translation>%1%</translation>
    </message>
    <message>
        <source>Overflow!! %1%</source>
        <translation>Memoria insufficiente!! %1%</translation>
    </message>
    <message>
        <source>The window closes when the transfer has ended.</source>
        <translation>La finestra si chiuderà al termine del trasferimento.</translation>
    </message>
</context>
<context>
    <name>AirSpace</name>
    <message>
        <source>R restricted</source>
        <translation>R zona regolamentata</translation>
    </message>
    <message>
        <source>Q danger</source>
        <translation>Q zona pericolosa</translation>
    </message>
    <message>
        <source>P prohibited</source>
        <translation>P zona vietata</translation>
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
        <translation>GP vietato agli alianti</translation>
    </message>
    <message>
        <source>CTR CTR</source>
        <translation>CTR zona di controllo</translation>
    </message>
    <message>
        <source>W Wave Window</source>
        <translation>W finestra d&apos;onda</translation>
    </message>
    <message>
        <source>Name:&lt;b&gt;%1&lt;/b&gt;&lt;br&gt;Class:&lt;b&gt;%2&lt;/b&gt;&lt;br&gt;Floor:%3&lt;br&gt;Ceiling:%4&lt;br&gt;</source>
        <translation>Nome: &lt;b&gt;%1&lt;/b&gt;&lt;br&gt;Classe: &lt;b&gt;%2&lt;/b&gt;&lt;br&gt;Limite inferiore: %3&lt;br&gt;Limite superiore: %4&lt;br&gt;</translation>
    </message>
</context>
<context>
    <name>DataFields</name>
    <message>
        <source>could not access DB!</source>
        <translation>Impossibile accedere al database!</translation>
    </message>
</context>
<context>
    <name>LayoutFile</name>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>Impossibile leggere %1: %2</translation>
    </message>
    <message>
        <source>%1 is not a layout file (line %2: %3).</source>
        <translation>%1 non è un file di layout (riga %2: %3).</translation>
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
        <translation>&amp;Nuovo</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Apri...</translation>
    </message>
    <message>
        <source>Open an existing layout</source>
        <translation>Apri un layout esistente</translation>
    </message>
    <message>
        <source>&amp;Save...</source>
        <translation>&amp;Salva...</translation>
    </message>
    <message>
        <source>Save &amp;as...</source>
        <translation>Salva &amp;con nome...</translation>
    </message>
    <message>
        <source>S&amp;end to device</source>
        <translation>&amp;Invia al dispositivo</translation>
    </message>
    <message>
        <source>&amp;Receive from device</source>
        <translation>&amp;Ricevi dal dispositivo</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Annulla</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Elimina</translation>
    </message>
    <message>
        <source>&amp;Properties</source>
        <translation>&amp;Proprietà</translation>
    </message>
    <message>
        <source>Preferences...</source>
        <translation>Preferenze...</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Informazioni</translation>
    </message>
    <message>
        <source>Format toolbar</source>
        <translation>Barra Formato</translation>
    </message>
    <message>
        <source>File toolbar</source>
        <translation>Barra File</translation>
    </message>
    <message>
        <source>Align top</source>
        <translation>Allinea in alto</translation>
    </message>
    <message>
        <source>Align bottom</source>
        <translation>Allinea in basso</translation>
    </message>
    <message>
        <source>Align left</source>
        <translation>Allinea a sinistra</translation>
    </message>
    <message>
        <source>Align right</source>
        <translation>Allinea a destra</translation>
    </message>
    <message>
        <source>Align center</source>
        <translation>Centra orizzontalmente</translation>
    </message>
    <message>
        <source>Align middle</source>
        <translation>Centra verticalmente</translation>
    </message>
    <message>
        <source>Align height</source>
        <translation>Stessa altezza</translation>
    </message>
    <message>
        <source>Align width</source>
        <translation>Stessa larghezza</translation>
    </message>
    <message>
        <source>Vertical join</source>
        <translation>Accosta verticalmente</translation>
    </message>
    <message>
        <source>Horizontal join</source>
        <translation>Accosta orizzontalmente</translation>
    </message>
    <message>
        <source>Text align right</source>
        <translation>Testo allineato a destra</translation>
    </message>
    <message>
        <source>Text align center</source>
        <translation>Testo centrato</translation>
    </message>
    <message>
        <source>Text align left</source>
        <translation>Testo allineato a sinistra</translation>
    </message>
    <message>
        <source>Large font</source>
        <translation>Carattere grande</translation>
    </message>
    <message>
        <source>Normal font</source>
        <translation>Carattere normale</translation>
    </message>
    <message>
        <source>Tiny font</source>
        <translation>Carattere piccolissimo</translation>
    </message>
    <message>
        <source>Autosize</source>
        <translation>Dimensione automatica</translation>
    </message>
    <message>
        <source>Airspaces</source>
        <translation>Spazi aerei</translation>
    </message>
    <message>
        <source>Firmware</source>
        <translation>Firmware</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Modifica</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Visualizza</translation>
    </message>
    <message>
        <source>F&amp;ormat</source>
        <translation>F&amp;ormato</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Strumenti</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Guida</translation>
    </message>
    <message>
        <source>File</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Formating</source>
        <translation>Formattazione</translation>
    </message>
    <message>
        <source>Editing</source>
        <translation>Modifica</translation>
    </message>
    <message>
        <source>Zarvin Designer

Designs the screen pages of Zarvin flight instruments and sends them to the instrument.</source>
        <translation>Zarvin Designer

Progetta le pagine dello schermo degli strumenti di volo Zarvin e le invia allo strumento.</translation>
    </message>
    <message>
        <source>Load Layout</source>
        <translation>Carica layout</translation>
    </message>
    <message>
        <source>Layouts(*.zvl *.xml);;Layout Files(*.zvl);;xml Files (*.xml)</source>
        <translation>Layout (*.zvl *.xml);;File di layout (*.zvl);;File XML (*.xml)</translation>
    </message>
    <message>
        <source>Save Layout</source>
        <translation>Salva layout</translation>
    </message>
    <message>
        <source>Layout Files (*.zvl)</source>
        <translation>File di layout (*.zvl)</translation>
    </message>
    <message>
        <source>Cannot read %1:
%2</source>
        <translation>Impossibile leggere %1:
%2</translation>
    </message>
    <message>
        <source>%1 is not a valid layout file.
Line %2: %3</source>
        <translation>%1 non è un file di layout valido.
Riga %2: %3</translation>
    </message>
    <message>
        <source>The layout could not be saved to %1:
%2</source>
        <translation>Impossibile salvare il layout in %1:
%2</translation>
    </message>
    <message>
        <source>&amp;%1 %2</source>
        <translation>&amp;%1 %2</translation>
    </message>
    <message>
        <source>The layout has been modified.</source>
        <translation>Il layout è stato modificato.</translation>
    </message>
    <message>
        <source>Do you want to save your changes?</source>
        <translation>Salvare le modifiche?</translation>
    </message>
    <message>
        <source>Layout has no elements!</source>
        <translation>Il layout non contiene elementi!</translation>
    </message>
</context>
<context>
    <name>PreferencesDialog</name>
    <message>
        <source>English</source>
        <translation>Inglese</translation>
    </message>
    <message>
        <source>German</source>
        <translation>Tedesco</translation>
    </message>
    <message>
        <source>French</source>
        <translation>Francese</translation>
    </message>
    <message>
        <source>Italian</source>
        <translation>Italiano</translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation>Spagnolo</translation>
    </message>
    <message>
        <source>Russian</source>
        <translation>Russo</translation>
    </message>
    <message>
        <source>Portuguese</source>
        <translation>Portoghese</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Preferenze</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Lingua</translation>
    </message>
    <message>
        <source>Target Device</source>
        <translation>Strumento di destinazione</translation>
    </message>
</context>
<context>
    <name>Progress</name>
    <message>
        <source>Progress</source>
        <translation>Avanzamento</translation>
    </message>
    <message>
        <source>Sending:</source>
        <translation>Invio:</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>no sql driver!</source>
        <translation>Nessun driver SQL!</translation>
    </message>
</context>
<context>
    <name>R8elementProp</name>
    <message>
        <source>Element properties</source>
        <translation>Proprietà dell&apos;elemento</translation>
    </message>
    <message>
        <source>Data field</source>
        <translation>Campo dati</translation>
    </message>
    <message>
        <source>Geometry</source>
        <translation>Geometria</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Pagine</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Campo</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>Direzione</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Carattere</translation>
    </message>
    <message>
        <source>Align</source>
        <translation>Allineamento</translation>
    </message>
    <message>
        <source>Units</source>
        <translation>Unità</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>Minimo</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Massimo</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titolo</translation>
    </message>
    <message>
        <source>Border</source>
        <translation>Bordo</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Larghezza</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Altezza</translation>
    </message>
    <message>
        <source>%1:</source>
        <translation>%1:</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Destra</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Giù</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Sinistra</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Su</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>Centrato</translation>
    </message>
    <message>
        <source>none</source>
        <translation>nessuna</translation>
    </message>
    <message>
        <source>Bellow</source>
        <translation>Sotto</translation>
    </message>
    <message>
        <source>Tiny</source>
        <translation>Piccolissimo</translation>
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
        <translation>Il campo non è valido.</translation>
    </message>
</context>
<context>
    <name>ScreenLayoutProps</name>
    <message>
        <source>Airspace warning</source>
        <translation>Avviso spazio aereo</translation>
    </message>
    <message>
        <source>Entering thermal</source>
        <translation>Ingresso in termica</translation>
    </message>
    <message>
        <source>Transition (leaving thermal)</source>
        <translation>Transizione (uscita dalla termica)</translation>
    </message>
    <message>
        <source>Arriving at turnpoint</source>
        <translation>Arrivo alla boa</translation>
    </message>
    <message>
        <source>Start opened</source>
        <translation>Start aperto</translation>
    </message>
    <message>
        <source>Power up</source>
        <translation>Accensione</translation>
    </message>
    <message>
        <source>Page properties</source>
        <translation>Proprietà della pagina</translation>
    </message>
    <message>
        <source>Page Names</source>
        <translation>Nome della pagina</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Attivata</translation>
    </message>
</context>
<context>
    <name>ScreenThumb</name>
    <message>
        <source>Form</source>
        <translation>Modulo</translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation>Pagina %1</translation>
    </message>
</context>
<context>
    <name>ZvCommandSender</name>
    <message>
        <source>Command too long for the device, not sent.</source>
        <translation>Comando troppo lungo per il dispositivo, non inviato.</translation>
    </message>
    <message>
        <source>Connection to device lost.</source>
        <translation>Connessione con il dispositivo persa.</translation>
    </message>
    <message>
        <source>Time out while sending to device.</source>
        <translation>Tempo scaduto durante l&apos;invio al dispositivo.</translation>
    </message>
    <message>
        <source>Device did not confirm final message!</source>
        <translation>Il dispositivo non ha confermato l&apos;ultimo messaggio!</translation>
    </message>
    <message>
        <source>Could not connect to device.</source>
        <translation>Impossibile connettersi al dispositivo.</translation>
    </message>
    <message>
        <source>%1 not supported.</source>
        <translation>%1 non è supportato.</translation>
    </message>
    <message>
        <source>Connected to %1.</source>
        <translation>Connesso a %1.</translation>
    </message>
    <message>
        <source>All data sent.</source>
        <translation>Tutti i dati sono stati inviati.</translation>
    </message>
</context>
<context>
    <name>firmwareSender</name>
    <message>
        <source>Firmware upload</source>
        <translation>Aggiornamento firmware</translation>
    </message>
    <message>
        <source>Send to Instrument</source>
        <translation>Invia allo strumento</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Chiudi</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Firmware file name:</source>
        <translation>File del firmware:</translation>
    </message>
    <message>
        <source>Get Layout</source>
        <translation>Leggi layout</translation>
    </message>
    <message>
        <source>Firmware files</source>
        <translation>File firmware</translation>
    </message>
    <message>
        <source>firmware files (*.zvf)</source>
        <translation>File firmware (*.zvf)</translation>
    </message>
</context>
<context>
    <name>firmwareToDevice</name>
    <message>
        <source>Invalid file!</source>
        <translation>File non valido!</translation>
    </message>
    <message>
        <source>Corrupt firmware file!</source>
        <translation>File firmware danneggiato!</translation>
    </message>
    <message>
        <source>unknown model!</source>
        <translation>Modello sconosciuto!</translation>
    </message>
    <message>
        <source>No instrument is connected!</source>
        <translation>Nessuno strumento collegato!</translation>
    </message>
    <message>
        <source>Please use Podrum application for the non SD instruments.</source>
        <translation>Per gli strumenti senza SD usare l&apos;applicazione Podrum.</translation>
    </message>
    <message>
        <source>This firmware is not for the %1</source>
        <translation>Questo firmware non è per il %1</translation>
    </message>
    <message>
        <source>Firmware file is too large!</source>
        <translation>Il file firmware è troppo grande!</translation>
    </message>
    <message>
        <source>File does not exist!</source>
        <translation>Il file non esiste!</translation>
    </message>
    <message>
        <source>Starting...</source>
        <translation>Avvio...</translation>
    </message>
    <message>
        <source>Instrument not responding.</source>
        <translation>Lo strumento non risponde.</translation>
    </message>
    <message>
        <source>Waiting...%1</source>
        <translation>Attesa...%1</translation>
    </message>
    <message>
        <source>Programing...</source>
        <translation>Programmazione...</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Completato</translation>
    </message>
</context>
</TS>
