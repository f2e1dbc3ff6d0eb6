<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>ASpaceList</name>
    <message>
        <source>Airspaces</source>
        <translation>Espacios aéreos</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Transferir</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>Abrir archivo</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Memory used on instrument.</source>
        <translation>Memoria ocupada en el instrumento.</translation>
    </message>
    <message>
        <source>Airspace</source>
        <translation>Espacio aéreo</translation>
    </message>
    <message>
        <source>Class</source>
        <translation>Clase</translation>
    </message>
    <message>
        <source>Bytes</source>
        <translation>Bytes</translation>
    </message>
    <message>
        <source>Openair files</source>
        <translation>Archivos OpenAir</translation>
    </message>
    <message>
        <source>txt Files (*.txt)</source>
        <translation>Archivos de texto (*.txt)</translation>
    </message>
    <message>
        <source>This file could not be read: %1</source>
        <translation>No se pudo leer este archivo: %1</translation>
    </message>
    <message>
        <source>%1%</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>Overflow!! %1%</source>
        <translation>¡¡Memoria insuficiente!! %1 %</translation>
    </message>
    <message>
        <source>The window closes when the transfer has ended.</source>
        <translation>La ventana se cerrará al terminar la transferencia.</translation>
    </message>
</context>
<context>
    <name>AirSpace</name>
    <message>
        <source>R restricted</source>
        <translation>R zona restringida</translation>
    </message>
    <message>
        <source>Q danger</source>
        <translation>Q zona peligrosa</translation>
    </message>
    <message>
        <source>P prohibited</source>
        <translation>P zona prohibida</translation>
    </message>
    <message>
        <source>A Class A</source>
        <translation>A clase A</translation>
    </message>
    <message>
        <source>B Class B</source>
        <translation>B clase B</translation>
    </message>
    <message>
        <source>C Class C</source>
        <translation>C clase C</translation>
    </message>
    <message>
        <source>D Class D</source>
        <translation>D clase D</translation>
    </message>
    <message>
        <source>GP glider prohibited</source>
        <translation>GP prohibido a planeadores</translation>
    </message>
    <message>
        <source>CTR CTR</source>
        <translation>CTR zona de control</translation>
    </message>
    <message>
        <source>W Wave Window</source>
        <translation>W ventana de onda</translation>
    </message>
    <message>
        <source>Name:&lt;b&gt;%1&lt;/b&gt;&lt;br&gt;Class:&lt;b&gt;%2&lt;/b&gt;&lt;br&gt;Floor:%3&lt;br&gt;Ceiling:%4&lt;br&gt;</source>
        <translation>Nombre: &lt;b&gt;%1&lt;/b&gt;&lt;br&gt;Clase: &lt;b&gt;%2&lt;/b&gt;&lt;br&gt;Límite inferior: %3&lt;br&gt;Límite superior: %4&lt;br&gt;</translation>
    </message>
</context>
<context>
    <name>DataFields</name>
    <message>
        <source>could not access DB!</source>
        <translation>¡No se puede acceder a la base de datos!</translation>
    </message>
</context>
<context>
    <name>LayoutFile</name>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>No se puede leer %1: %2</translation>
    </message>
    <message>
        <source>%1 is not a layout file (line %2: %3).</source>
        <translation>%1 no es un archivo de diseño (línea %2: %3).</translation>
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
        <translation>&amp;Nuevo</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Abrir...</translation>
    </message>
    <message>
        <source>Open an existing layout</source>
        <translation>Abrir un diseño existente</translation>
    </message>
    <message>
        <source>&amp;Save...</source>
        <translation>&amp;Guardar...</translation>
    </message>
    <message>
        <source>Save &amp;as...</source>
        <translation>Guardar &amp;como...</translation>
    </message>
    <message>
        <source>S&amp;end to device</source>
        <translation>&amp;Enviar al dispositivo</translation>
    </message>
    <message>
        <source>&amp;Receive from device</source>
        <translation>&amp;Recibir del dispositivo</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Deshacer</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Eliminar</translation>
    </message>
    <message>
        <source>&amp;Properties</source>
        <translation>&amp;Propiedades</translation>
    </message>
    <message>
        <source>Preferences...</source>
        <translation>Preferencias...</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>Format toolbar</source>
        <translation>Barra de herramientas Formato</translation>
    </message>
    <message>
        <source>File toolbar</source>
        <translation>Barra de herramientas Archivo</translation>
    </message>
    <message>
        <source>Align top</source>
        <translation>Alinear arriba</translation>
    </message>
    <message>
        <source>Align bottom</source>
        <translation>Alinear abajo</translation>
    </message>
    <message>
        <source>Align left</source>
        <translation>Alinear a la izquierda</translation>
    </message>
    <message>
        <source>Align right</source>
        <translation>Alinear a la derecha</translation>
    </message>
    <message>
        <source>Align center</source>
        <translation>Centrar horizontalmente</translation>
    </message>
    <message>
        <source>Align middle</source>
        <translation>Centrar verticalmente</translation>
    </message>
    <message>
        <source>Align height</source>
        <translation>Igualar altura</translation>
    </message>
    <message>
        <source>Align width</source>
        <translation>Igualar anchura</translation>
    </message>
    <message>
        <source>Vertical join</source>
        <translation>Unir verticalmente</translation>
    </message>
    <message>
        <source>Horizontal join</source>
        <translation>Unir horizontalmente</translation>
    </message>
    <message>
        <source>Text align right</source>
        <translation>Texto alineado a la derecha</translation>
    </message>
    <message>
        <source>Text align center</source>
        <translation>Texto centrado</translation>
    </message>
    <message>
        <source>Text align left</source>
        <translation>Texto alineado a la izquierda</translation>
    </message>
    <message>
        <source>Large font</source>
        <translation>Fuente grande</translation>
    </message>
    <message>
        <source>Normal font</source>
        <translation>Fuente normal</translation>
    </message>
    <message>
        <source>Tiny font</source>
        <translation>Fuente diminuta</translation>
    </message>
    <message>
        <source>Autosize</source>
        <translation>Tamaño automático</translation>
    </message>
    <message>
        <source>Airspaces</source>
        <translation>Espacios aéreos</translation>
    </message>
    <message>
        <source>Firmware</source>
        <translation>Firmware</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Edición</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ver</translation>
    </message>
    <message>
        <source>F&amp;ormat</source>
        <translation>&amp;Formato</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Herramientas</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Archivo</translation>
    </message>
    <message>
        <source>Formating</source>
        <translation>Formato</translation>
    </message>
    <message>
        <source>Editing</source>
        <translation>Edición</translation>
    </message>
    <message>
        <source>Zarvin Designer

Designs the screen pages of Zarvin flight instruments and sends them to the instrument.</source>
        <translation>Zarvin Designer

Diseña las páginas de pantalla de los instrumentos de vuelo Zarvin y las envía al instrumento.</translation>
    </message>
    <message>
        <source>Load Layout</source>
        <translation>Cargar diseño</translation>
    </message>
    <message>
        <source>Layouts(*.zvl *.xml);;Layout Files(*.zvl);;xml Files (*.xml)</source>
        <translation>Diseños (*.zvl *.xml);;Archivos de diseño (*.zvl);;Archivos XML (*.xml)</translation>
    </message>
    <message>
        <source>Save Layout</source>
        <translation>Guardar diseño</translation>
    </message>
    <message>
        <source>Layout Files (*.zvl)</source>
        <translation>Archivos de diseño (*.zvl)</translation>
    </message>
    <message>
        <source>Cannot read %1:
%2</source>
        <translation>No se puede leer %1:
%2</translation>
    </message>
    <message>
        <source>%1 is not a valid layout file.
Line %2: %3</source>
        <translation>%1 no es un archivo de diseño válido.
Línea %2: %3</translation>
    </message>
    <message>
        <source>The layout could not be saved to %1:
%2</source>
        <translation>No se pudo guardar el diseño en %1:
%2</translation>
    </message>
    <message>
        <source>&amp;%1 %2</source>
        <translation>&amp;%1 %2</translation>
    </message>
    <message>
        <source>The layout has been modified.</source>
        <translation>El diseño ha sido modificado.</translation>
    </message>
    <message>
        <source>Do you want to save your changes?</source>
        <translation>¿Desea guardar los cambios?</translation>
    </message>
    <message>
        <source>Layout has no elements!</source>
        <translation>¡El diseño no contiene elementos!</translation>
    </message>
</context>
<context>
    <name>PreferencesDialog</name>
    <message>
        <source>English</source>
        <translation>Inglés</translation>
    </message>
    <message>
        <source>German</source>
        <translation>Alemán</translation>
    </message>
    <message>
        <source>French</source>
        <translation>Francés</translation>
    </message>
    <message>
        <source>Italian</source>
        <translation>Italiano</translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation>Español</translation>
    </message>
    <message>
        <source>Russian</source>
        <translation>Ruso</translation>
    </message>
    <message>
        <source>Portuguese</source>
        <translation>Portugués</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Preferencias</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>Target Device</source>
        <translation>Instrumento de destino</translation>
    </message>
</context>
<context>
    <name>Progress</name>
    <message>
        <source>Progress</source>
        <translation>Progreso</translation>
    </message>
    <message>
        <source>Sending:</source>
        <translation>Enviando:</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>no sql driver!</source>
        <translation>¡No hay controlador SQL!</translation>
    </message>
</context>
<context>
    <name>R8elementProp</name>
    <message>
        <source>Element properties</source>
        <translation>Propiedades del elemento</translation>
    </message>
    <message>
        <source>Data field</source>
        <translation>Campo de datos</translation>
    </message>
    <message>
        <source>Geometry</source>
        <translation>Geometría</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Páginas</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Campo</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>Dirección</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Fuente</translation>
    </message>
    <message>
        <source>Align</source>
        <translation>Alineación</translation>
    </message>
    <message>
        <source>Units</source>
        <translation>Unidades</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>Mínimo</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Máximo</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Título</translation>
    </message>
    <message>
        <source>Border</source>
        <translation>Borde</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Ancho</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Alto</translation>
    </message>
    <message>
        <source>%1:</source>
        <translation>%1:</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Derecha</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Abajo</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Izquierda</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Arriba</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>Centrado</translation>
    </message>
    <message>
        <source>none</source>
        <translation>ninguna</translation>
    </message>
    <message>
        <source>Bellow</source>
        <translation>Debajo</translation>
    </message>
    <message>
        <source>Tiny</source>
        <translation>Diminuta</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Large</source>
        <translation>Grande</translation>
    </message>
    <message>
        <source>Field is invalid.</source>
        <translation>El campo no es válido.</translation>
    </message>
</context>
<context>
    <name>ScreenLayoutProps</name>
    <message>
        <source>Airspace warning</source>
        <translation>Aviso de espacio aéreo</translation>
    </message>
    <message>
        <source>Entering thermal</source>
        <translation>Entrada en térmica</translation>
    </message>
    <message>
        <source>Transition (leaving thermal)</source>
        <translation>Transición (salida de la térmica)</translation>
    </message>
    <message>
        <source>Arriving at turnpoint</source>
        <translation>Llegada a la baliza</translation>
    </message>
    <message>
        <source>Start opened</source>
        <translation>Salida abierta</translation>
    </message>
    <message>
        <source>Power up</source>
        <translation>Encendido</translation>
    </message>
    <message>
        <source>Page properties</source>
        <translation>Propiedades de la página</translation>
    </message>
    <message>
        <source>Page Names</source>
        <translation>Nombre de la página</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Activada</translation>
    </message>
</context>
<context>
    <name>ScreenThumb</name>
    <message>
        <source>Form</source>
        <translation>Formulario</translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation>Página %1</translation>
    </message>
</context>
<context>
    <name>ZvCommandSender</name>
    <message>
        <source>Command too long for the device, not sent.</source>
        <translation>Comando demasiado largo para el dispositivo, no enviado.</translation>
    </message>
    <message>
        <source>Connection to device lost.</source>
        <translation>Se perdió la conexión con el dispositivo.</translation>
    </message>
    <message>
        <source>Time out while sending to device.</source>
        <translation>Tiempo de espera agotado al enviar al dispositivo.</translation>
    </message>
    <message>
        <source>Device did not confirm final message!</source>
        <translation>¡El dispositivo no confirmó el último mensaje!</translation>
    </message>
    <message>
        <source>Could not connect to device.</source>
        <translation>No se pudo conectar con el dispositivo.</translation>
    </message>
    <message>
        <source>%1 not supported.</source>
        <translation>%1 no es compatible.</translation>
    </message>
    <message>
        <source>Connected to %1.</source>
        <translation>Conectado a %1.</translation>
    </message>
    <message>
        <source>All data sent.</source>
        <translation>Todos los datos enviados.</translation>
    </message>
</context>
<context>
    <name>firmwareSender</name>
    <message>
        <source>Firmware upload</source>
        <translation>Actualización de firmware</translation>
    </message>
    <message>
        <source>Send to Instrument</source>
        <translation>Enviar al instrumento</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Firmware file name:</source>
        <translation>Archivo de firmware:</translation>
    </message>
    <message>
        <source>Get Layout</source>
        <translation>Leer diseño</translation>
    </message>
    <message>
        <source>Firmware files</source>
        <translation>Archivos de firmware</translation>
    </message>
    <message>
        <source>firmware files (*.zvf)</source>
        <translation>Archivos de firmware (*.zvf)</translation>
    </message>
</context>
<context>
    <name>firmwareToDevice</name>
    <message>
        <source>Invalid file!</source>
        <translation>¡Archivo no válido!</translation>
    </message>
    <message>
        <source>Corrupt firmware file!</source>
        <translation>¡Archivo de firmware dañado!</translation>
    </message>
    <message>
        <source>unknown model!</source>
        <translation>¡Modelo desconocido!</translation>
    </message>
    <message>
        <source>No instrument is connected!</source>
        <translation>¡No hay ningún instrumento conectado!</translation>
    </message>
    <message>
        <source>Please use Podrum application for the non SD instruments.</source>
        <translation>Para los instrumentos sin SD utilice la aplicación Podrum.</translation>
    </message>
    <message>
        <source>This firmware is not for the %1</source>
        <translation>Este firmware no es para el %1</translation>
    </message>
    <message>
        <source>Firmware file is too large!</source>
        <translation>¡El archivo de firmware es demasiado grande!</translation>
    </message>
    <message>
        <source>File does not exist!</source>
        <translation>¡El archivo no existe!</translation>
    </message>
    <message>
        <source>Starting...</source>
        <translation>Iniciando...</translation>
    </message>
    <message>
        <source>Instrument not responding.</source>
        <translation>El instrumento no responde.</translation>
    </message>
    <message>
        <source>Waiting...%1</source>
        <translation>Esperando...%1</translation>
    </message>
    <message>
        <source>Programing...</source>
        <translation>Programando...</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminado</translation>
    </message>
</context>
</TS>
