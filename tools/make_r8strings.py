#!/usr/bin/env python3
"""Writes catalogue/data/r8strings.sql, the text form of the field catalogue.

The build reads only the SQL file; run this after editing the tables below:
    python3 tools/make_r8strings.py > catalogue/data/r8strings.sql
"""
import sys

LANGS = [(1, "English"), (2, "Português"), (3, "Español"), (4, "Francais"), (5, "Deutsch"),
         (6, "Italiano"), (7, "Polski"), (8, "Turkce"), (9, "Slovenščina")]
MODELS = [(1, "R8alvo"), (2, "R8osk"), (3, "R8tey"), (4, "R8dulan"), (5, "Tey+")]
PT, ES, FR, DE, IT = 2, 3, 4, 5, 6

# id, base name, string id, data type (None = plain number), description,
# then translations {language: (name, description)}.
FIELDS = [
    (30, "TTG", "FLD_TTG", 7, "Time to go: estimated time to reach the active waypoint at the current ground speed", {
        DE: ("Restzeit", "Voraussichtliche Zeit bis zum aktiven Wegpunkt bei aktueller Geschwindigkeit über Grund"),
        FR: ("Tps restant", "Temps estimé pour atteindre la balise active à la vitesse sol actuelle"),
        IT: ("Tempo rim.", "Tempo stimato per raggiungere il waypoint attivo alla velocità al suolo attuale"),
        ES: ("Tiempo rest.", "Tiempo estimado hasta la baliza activa a la velocidad respecto al suelo actual"),
        PT: ("Tempo rest.", "Tempo estimado até ao waypoint ativo à velocidade no solo atual")}),
    (33, "Altitude", "FLD_ALTITUDE", 1, "Barometric altitude above sea level (QNH)", {
        DE: ("Höhe", "Barometrische Höhe über dem Meeresspiegel (QNH)"),
        FR: ("Altitude", "Altitude barométrique au-dessus du niveau de la mer (QNH)"),
        IT: ("Quota", "Quota barometrica sul livello del mare (QNH)"),
        ES: ("Altitud", "Altitud barométrica sobre el nivel del mar (QNH)"),
        PT: ("Altitude", "Altitude barométrica acima do nível do mar (QNH)")}),
    (36, "Time", "FLD_TIME", 7, "Local time of day from the GPS", {
        DE: ("Uhrzeit", "Ortszeit aus dem GPS"),
        FR: ("Heure", "Heure locale fournie par le GPS"),
        IT: ("Ora", "Ora locale dal GPS"),
        ES: ("Hora", "Hora local obtenida del GPS"),
        PT: ("Hora", "Hora local obtida do GPS")}),
    (37, "Dur.", "FLD_DURATION", 7, "Flight duration since take-off", {
        DE: ("Flugzeit", "Flugdauer seit dem Start"),
        FR: ("Durée", "Durée du vol depuis le décollage"),
        IT: ("Durata", "Durata del volo dal decollo"),
        ES: ("Duración", "Duración del vuelo desde el despegue"),
        PT: ("Duração", "Duração do voo desde a descolagem")}),
    (46, "Date", "FLD_DATE", 8, "Current date from the GPS", {
        DE: ("Datum", "Aktuelles Datum aus dem GPS"),
        FR: ("Date", "Date du jour fournie par le GPS"),
        IT: ("Data", "Data corrente dal GPS"),
        ES: ("Fecha", "Fecha actual obtenida del GPS"),
        PT: ("Data", "Data atual obtida do GPS")}),
    (60, "Battery", "FLD_BATTERY", 20, "Remaining battery charge in percent", {
        DE: ("Akku", "Verbleibende Akkuladung in Prozent"),
        FR: ("Batterie", "Charge restante de la batterie en pourcentage"),
        IT: ("Batteria", "Carica residua della batteria in percentuale"),
        ES: ("Batería", "Carga restante de la batería en porcentaje"),
        PT: ("Bateria", "Carga restante da bateria em percentagem")}),
    (82, "Latitude", "FLD_LATITUDE", None, "Current GPS latitude", {
        DE: ("Breite", "Aktuelle geografische Breite (GPS)"),
        FR: ("Latitude", "Latitude GPS actuelle"),
        IT: ("Latitudine", "Latitudine GPS attuale"),
        ES: ("Latitud", "Latitud GPS actual"),
        PT: ("Latitude", "Latitude GPS atual")}),
    (83, "Longitude", "FLD_LONGITUDE", None, "Current GPS longitude", {
        DE: ("Länge", "Aktuelle geografische Länge (GPS)"),
        FR: ("Longitude", "Longitude GPS actuelle"),
        IT: ("Longitudine", "Longitudine GPS attuale"),
        ES: ("Longitud", "Longitud GPS actual"),
        PT: ("Longitude", "Longitude GPS atual")}),
    (87, "VMG", "FLD_VMG", 2, "Velocity made good: speed component towards the active waypoint", {
        DE: ("VMG", "Geschwindigkeitsanteil in Richtung des aktiven Wegpunkts"),
        FR: ("VMG", "Composante de la vitesse en direction de la balise active"),
        IT: ("VMG", "Componente della velocità verso il waypoint attivo"),
        ES: ("VMG", "Componente de la velocidad hacia la baliza activa"),
        PT: ("VMG", "Componente da velocidade em direção ao waypoint ativo")}),
    (88, "G.R.Goal", "FLD_GR_GOAL", 6, "Glide ratio required to reach the goal", {
        DE: ("Gleitz.Ziel", "Benötigte Gleitzahl bis zum Ziel"),
        FR: ("Fin.But", "Finesse nécessaire pour atteindre le but"),
        IT: ("Eff.Goal", "Efficienza necessaria per raggiungere il goal"),
        ES: ("Planeo Gol", "Planeo necesario para llegar al gol"),
        PT: ("Planeio Goal", "Razão de planeio necessária para chegar ao goal")}),
    (89, "G.R.Next", "FLD_GR_NEXT", 6, "Glide ratio required to reach the active waypoint", {
        DE: ("Gleitz.WP", "Benötigte Gleitzahl bis zum aktiven Wegpunkt"),
        FR: ("Fin.Bal.", "Finesse nécessaire pour atteindre la balise active"),
        IT: ("Eff.Pross.", "Efficienza necessaria per raggiungere il waypoint attivo"),
        ES: ("Planeo Sig.", "Planeo necesario para llegar a la baliza activa"),
        PT: ("Planeio Próx.", "Razão de planeio necessária para chegar ao waypoint ativo")}),
    (90, "Cur.G.R.", "FLD_GR_CURRENT", 6, "Current glide ratio over the ground", {
        DE: ("Akt.Gleitz.", "Aktuelle Gleitzahl über Grund"),
        FR: ("Fin.Act.", "Finesse sol actuelle"),
        IT: ("Eff.Att.", "Efficienza attuale rispetto al suolo"),
        ES: ("Planeo Act.", "Planeo actual respecto al suelo"),
        PT: ("Planeio At.", "Razão de planeio atual em relação ao solo")}),
    (91, "G.R.M.G.", "FLD_GR_MADE_GOOD", 6, "Glide ratio made good towards the active waypoint", {
        DE: ("Gleitz.MG", "Erzielte Gleitzahl in Richtung des aktiven Wegpunkts"),
        FR: ("Fin.MG", "Finesse effective en direction de la balise active"),
        IT: ("Eff.MG", "Efficienza effettiva verso il waypoint attivo"),
        ES: ("Planeo MG", "Planeo efectivo hacia la baliza activa"),
        PT: ("Planeio MG", "Razão de planeio efetiva em direção ao waypoint ativo")}),
    (92, "Alt.Gain", "FLD_ALT_GAIN", 1, "Height gained in the current thermal", {
        DE: ("Höhengew.", "Höhengewinn in der aktuellen Thermik"),
        FR: ("Gain alt.", "Gain d'altitude dans le thermique en cours"),
        IT: ("Guadagno", "Quota guadagnata nella termica attuale"),
        ES: ("Ganancia", "Altura ganada en la térmica actual"),
        PT: ("Ganho alt.", "Altura ganha na térmica atual")}),
    (93, "Dist.Goal", "FLD_DIST_GOAL", 4, "Distance to the goal along the rest of the task", {
        DE: ("Dist.Ziel", "Entfernung zum Ziel entlang der restlichen Aufgabe"),
        FR: ("Dist.But", "Distance jusqu'au but le long de la manche restante"),
        IT: ("Dist.Goal", "Distanza dal goal lungo il resto della task"),
        ES: ("Dist.Gol", "Distancia al gol por el resto de la manga"),
        PT: ("Dist.Goal", "Distância até ao goal pelo resto da prova")}),
    (94, "Dist.Edge", "FLD_DIST_EDGE", 4, "Distance to the edge of the active waypoint's cylinder", {
        DE: ("Dist.Rand", "Entfernung zum Rand des Zylinders des aktiven Wegpunkts"),
        FR: ("Dist.Bord", "Distance jusqu'au bord du cylindre de la balise active"),
        IT: ("Dist.Bordo", "Distanza dal bordo del cilindro del waypoint attivo"),
        ES: ("Dist.Borde", "Distancia al borde del cilindro de la baliza activa"),
        PT: ("Dist.Borda", "Distância até à borda do cilindro do waypoint ativo")}),
    (95, "Max.Alti", "FLD_MAX_ALT", 1, "Highest altitude reached in this flight", {
        DE: ("Max.Höhe", "Größte in diesem Flug erreichte Höhe"),
        FR: ("Alt.Max", "Altitude maximale atteinte pendant ce vol"),
        IT: ("Quota max", "Quota massima raggiunta in questo volo"),
        ES: ("Alt.Máx", "Altitud máxima alcanzada en este vuelo"),
        PT: ("Alt.Máx", "Altitude máxima atingida neste voo")}),
    (96, "GPS Alti", "FLD_GPS_ALT", 1, "Altitude above sea level from the GPS", {
        DE: ("GPS-Höhe", "Höhe über dem Meeresspiegel aus dem GPS"),
        FR: ("Alt.GPS", "Altitude au-dessus du niveau de la mer donnée par le GPS"),
        IT: ("Quota GPS", "Quota sul livello del mare dal GPS"),
        ES: ("Alt.GPS", "Altitud sobre el nivel del mar según el GPS"),
        PT: ("Alt.GPS", "Altitude acima do nível do mar dada pelo GPS")}),
    (97, "A.OverGoal", "FLD_ALT_OVER_GOAL", 1, "Expected height above the goal on arrival at the current glide ratio", {
        DE: ("H.über Ziel", "Erwartete Höhe über dem Ziel bei Ankunft mit der aktuellen Gleitzahl"),
        FR: ("Alt/But", "Hauteur prévue au-dessus du but à l'arrivée avec la finesse actuelle"),
        IT: ("Q.sul Goal", "Quota prevista sopra il goal all'arrivo con l'efficienza attuale"),
        ES: ("Alt.s/Gol", "Altura prevista sobre el gol a la llegada con el planeo actual"),
        PT: ("Alt.s/Goal", "Altura prevista sobre o goal à chegada com o planeio atual")}),
    (98, "Arrival Goal", "FLD_ARRIVAL_GOAL", 1, "Arrival altitude at the goal from the polar and the wind", {
        DE: ("Ank.Ziel", "Ankunftshöhe am Ziel nach Polare und Wind"),
        FR: ("Arr.But", "Altitude d'arrivée au but selon la polaire et le vent"),
        IT: ("Arrivo Goal", "Quota di arrivo al goal secondo la polare e il vento"),
        ES: ("Llegada Gol", "Altura de llegada al gol según la polar y el viento"),
        PT: ("Chegada Goal", "Altitude de chegada ao goal segundo a polar e o vento")}),
    (99, "Arrival Next", "FLD_ARRIVAL_NEXT", 1, "Arrival altitude at the active waypoint from the polar and the wind", {
        DE: ("Ank.WP", "Ankunftshöhe am aktiven Wegpunkt nach Polare und Wind"),
        FR: ("Arr.Bal.", "Altitude d'arrivée à la balise active selon la polaire et le vent"),
        IT: ("Arrivo Pross.", "Quota di arrivo al waypoint attivo secondo la polare e il vento"),
        ES: ("Llegada Sig.", "Altura de llegada a la baliza activa según la polar y el viento"),
        PT: ("Chegada Próx.", "Altitude de chegada ao waypoint ativo segundo a polar e o vento")}),
    (100, "Speed Strt", "FLD_SPEED_START", 2, "Speed needed to reach the start cylinder when the start opens", {
        DE: ("Gesch.Start", "Nötige Geschwindigkeit, um den Startzylinder bei Öffnung des Starts zu erreichen"),
        FR: ("Vit.Start", "Vitesse nécessaire pour atteindre le cylindre de départ à l'ouverture du start"),
        IT: ("Vel.Start", "Velocità necessaria per raggiungere il cilindro di partenza all'apertura dello start"),
        ES: ("Vel.Salida", "Velocidad necesaria para llegar al cilindro de salida cuando se abre la salida"),
        PT: ("Vel.Partida", "Velocidade necessária para chegar ao cilindro de partida quando a partida abre")}),
    (101, "Dist.Toff", "FLD_DIST_TAKEOFF", 4, "Straight-line distance from the take-off", {
        DE: ("Dist.Startpl.", "Luftlinie zum Startplatz"),
        FR: ("Dist.Déco", "Distance en ligne droite depuis le décollage"),
        IT: ("Dist.Decollo", "Distanza in linea retta dal decollo"),
        ES: ("Dist.Despegue", "Distancia en línea recta desde el despegue"),
        PT: ("Dist.Descol.", "Distância em linha reta desde a descolagem")}),
    (102, "Dist.Thermal", "FLD_DIST_THERMAL", 4, "Distance back to the last thermal", {
        DE: ("Dist.Therm.", "Entfernung zur letzten Thermik"),
        FR: ("Dist.Therm.", "Distance jusqu'au dernier thermique"),
        IT: ("Dist.Termica", "Distanza dall'ultima termica"),
        ES: ("Dist.Térmica", "Distancia a la última térmica"),
        PT: ("Dist.Térmica", "Distância até à última térmica")}),
    (103, "Land In", "FLD_LAND_IN", 7, "Time until landing at the current sink rate", {
        DE: ("Landung in", "Zeit bis zur Landung beim aktuellen Sinken"),
        FR: ("Atterr. dans", "Temps avant l'atterrissage au taux de chute actuel"),
        IT: ("Atterr. tra", "Tempo all'atterraggio con il tasso di discesa attuale"),
        ES: ("Aterr. en", "Tiempo hasta el aterrizaje con la tasa de caída actual"),
        PT: ("Aterr. em", "Tempo até à aterragem com a taxa de descida atual")}),
    (104, "Goal Close", "FLD_GOAL_CLOSE", 7, "Time left until the goal closes", {
        DE: ("Zielschluss", "Verbleibende Zeit bis zur Schließung des Ziels"),
        FR: ("Ferm.But", "Temps restant avant la fermeture du but"),
        IT: ("Chiusura Goal", "Tempo rimanente alla chiusura del goal"),
        ES: ("Cierre Gol", "Tiempo restante hasta el cierre del gol"),
        PT: ("Fecho Goal", "Tempo restante até ao fecho do goal")}),
    (105, "Vario", "FLD_VARIO", 3, "Vertical speed (climb or sink rate)", {
        DE: ("Vario", "Vertikalgeschwindigkeit (Steigen oder Sinken)"),
        FR: ("Vario", "Vitesse verticale (montée ou chute)"),
        IT: ("Vario", "Velocità verticale (salita o discesa)"),
        ES: ("Vario", "Velocidad vertical (ascenso o descenso)"),
        PT: ("Vario", "Velocidade vertical (subida ou descida)")}),
    (106, "Altitude2", "FLD_ALTITUDE2", 1, "Second altimeter, set on its own (for instance QFE of the landing field)", {
        DE: ("Höhe 2", "Zweiter Höhenmesser, getrennt einstellbar (z. B. QFE am Landeplatz)"),
        FR: ("Altitude 2", "Deuxième altimètre, réglable séparément (par ex. QFE de l'atterrissage)"),
        IT: ("Quota 2", "Secondo altimetro, regolabile a parte (ad es. QFE dell'atterraggio)"),
        ES: ("Altitud 2", "Segundo altímetro, ajustable por separado (p. ej. QFE del aterrizaje)"),
        PT: ("Altitude 2", "Segundo altímetro, ajustável em separado (p. ex. QFE da aterragem)")}),
    (107, "Heading", "FLD_HEADING", 5, "Track over the ground in degrees from the GPS", {
        DE: ("Kurs", "Kurs über Grund in Grad (GPS)"),
        FR: ("Cap", "Route sol en degrés (GPS)"),
        IT: ("Rotta", "Rotta al suolo in gradi (GPS)"),
        ES: ("Rumbo", "Rumbo sobre el suelo en grados (GPS)"),
        PT: ("Rumo", "Rumo sobre o solo em graus (GPS)")}),
    (108, "Ave.Speed", "FLD_AVG_SPEED", 2, "Ground speed averaged over the last seconds", {
        DE: ("Mittl.Gesch.", "Über die letzten Sekunden gemittelte Geschwindigkeit über Grund"),
        FR: ("Vit.Moy.", "Vitesse sol moyennée sur les dernières secondes"),
        IT: ("Vel.Media", "Velocità al suolo media degli ultimi secondi"),
        ES: ("Vel.Media", "Velocidad respecto al suelo promediada en los últimos segundos"),
        PT: ("Vel.Média", "Velocidade no solo média dos últimos segundos")}),
    (109, "Wind Speed", "FLD_WIND_SPEED", 2, "Wind speed worked out while circling", {
        DE: ("Windgesch.", "Beim Kreisen ermittelte Windgeschwindigkeit"),
        FR: ("Vit.Vent", "Vitesse du vent estimée en spirale"),
        IT: ("Vel.Vento", "Velocità del vento stimata in spirale"),
        ES: ("Vel.Viento", "Velocidad del viento estimada al girar"),
        PT: ("Vel.Vento", "Velocidade do vento estimada ao enrolar")}),
    (110, "Above Toff", "FLD_ABOVE_TAKEOFF", 1, "Height above the take-off", {
        DE: ("Üb.Startpl.", "Höhe über dem Startplatz"),
        FR: ("H/Déco", "Hauteur au-dessus du décollage"),
        IT: ("Q.su Decollo", "Quota sopra il decollo"),
        ES: ("Alt.s/Desp.", "Altura sobre el despegue"),
        PT: ("Alt.s/Descol.", "Altura acima da descolagem")}),
    (111, "G.R.Toff", "FLD_GR_TAKEOFF", 6, "Glide ratio needed to glide back to the take-off", {
        DE: ("Gleitz.Startpl.", "Benötigte Gleitzahl zurück zum Startplatz"),
        FR: ("Fin.Déco", "Finesse nécessaire pour revenir au décollage"),
        IT: ("Eff.Decollo", "Efficienza necessaria per tornare al decollo"),
        ES: ("Planeo Desp.", "Planeo necesario para volver al despegue"),
        PT: ("Planeio Descol.", "Razão de planeio necessária para voltar à descolagem")}),
    (123, "Max.Climb", "FLD_MAX_CLIMB", 3, "Strongest climb rate of this flight", {
        DE: ("Max.Steigen", "Stärkstes Steigen in diesem Flug"),
        FR: ("Montée max", "Meilleur taux de montée du vol"),
        IT: ("Salita max", "Massimo tasso di salita del volo"),
        ES: ("Ascenso máx", "Máxima tasa de ascenso del vuelo"),
        PT: ("Subida máx", "Maior taxa de subida do voo")}),
    (124, "Max.Sink", "FLD_MAX_SINK", 3, "Strongest sink rate of this flight", {
        DE: ("Max.Sinken", "Stärkstes Sinken in diesem Flug"),
        FR: ("Chute max", "Plus fort taux de chute du vol"),
        IT: ("Discesa max", "Massimo tasso di discesa del volo"),
        ES: ("Descenso máx", "Máxima tasa de descenso del vuelo"),
        PT: ("Descida máx", "Maior taxa de descida do voo")}),
    (125, "Max.Speed", "FLD_MAX_SPEED", 2, "Highest ground speed of this flight", {
        DE: ("Max.Gesch.", "Höchste Geschwindigkeit über Grund in diesem Flug"),
        FR: ("Vit.Max", "Vitesse sol maximale du vol"),
        IT: ("Vel.Max", "Velocità al suolo massima del volo"),
        ES: ("Vel.Máx", "Velocidad máxima respecto al suelo del vuelo"),
        PT: ("Vel.Máx", "Velocidade máxima no solo do voo")}),
    (147, "Speed", "FLD_SPEED", 2, "Ground speed from the GPS", {
        DE: ("Geschw.", "Geschwindigkeit über Grund (GPS)"),
        FR: ("Vitesse", "Vitesse sol (GPS)"),
        IT: ("Velocità", "Velocità al suolo (GPS)"),
        ES: ("Velocidad", "Velocidad respecto al suelo (GPS)"),
        PT: ("Velocidade", "Velocidade no solo (GPS)")}),
    (148, "Abs.Pressure", "FLD_PRESSURE", None, "Static air pressure measured by the barometric sensor", {
        DE: ("Luftdruck", "Vom barometrischen Sensor gemessener statischer Luftdruck"),
        FR: ("Pression", "Pression statique mesurée par le capteur barométrique"),
        IT: ("Pressione", "Pressione statica misurata dal sensore barometrico"),
        ES: ("Presión", "Presión estática medida por el sensor barométrico"),
        PT: ("Pressão", "Pressão estática medida pelo sensor barométrico")}),
    (149, "Ave.Vario", "FLD_AVG_VARIO", 3, "Vertical speed averaged over the last seconds", {
        DE: ("Mittl.Vario", "Über die letzten Sekunden gemittelte Vertikalgeschwindigkeit"),
        FR: ("Vario moy.", "Vitesse verticale moyennée sur les dernières secondes"),
        IT: ("Vario medio", "Velocità verticale media degli ultimi secondi"),
        ES: ("Vario medio", "Velocidad vertical promediada en los últimos segundos"),
        PT: ("Vario médio", "Velocidade vertical média dos últimos segundos")}),
    (158, "Flight Level", "FLD_FLIGHT_LEVEL", 17, "Pressure altitude in hundreds of feet (standard 1013.25 hPa)", {
        DE: ("Flugfläche", "Druckhöhe in hundert Fuß (Standard 1013,25 hPa)"),
        FR: ("Niveau vol", "Altitude pression en centaines de pieds (standard 1013,25 hPa)"),
        IT: ("Livello volo", "Quota di pressione in centinaia di piedi (standard 1013,25 hPa)"),
        ES: ("Nivel vuelo", "Altitud de presión en cientos de pies (estándar 1013,25 hPa)"),
        PT: ("Nível voo", "Altitude de pressão em centenas de pés (padrão 1013,25 hPa)")}),
    (159, "Page Num.", "FLD_PAGE_NUMBER", 17, "Number of the page on the screen", {
        DE: ("Seite", "Nummer der angezeigten Seite"),
        FR: ("N° page", "Numéro de la page affichée"),
        IT: ("N. pagina", "Numero della pagina visualizzata"),
        ES: ("Nº página", "Número de la página mostrada"),
        PT: ("Nº página", "Número da página mostrada")}),
    (161, "Dist.Next", "FLD_DIST_NEXT", 4, "Distance to the centre of the active waypoint", {
        DE: ("Dist.WP", "Entfernung zur Mitte des aktiven Wegpunkts"),
        FR: ("Dist.Bal.", "Distance jusqu'au centre de la balise active"),
        IT: ("Dist.Pross.", "Distanza dal centro del waypoint attivo"),
        ES: ("Dist.Sig.", "Distancia al centro de la baliza activa"),
        PT: ("Dist.Próx.", "Distância até ao centro do waypoint ativo")}),
    (162, "Active waypoint", "FLD_ACTIVE_WPT", 10, "Name of the active waypoint", {
        DE: ("Akt.Wegpunkt", "Name des aktiven Wegpunkts"),
        FR: ("Balise active", "Nom de la balise active"),
        IT: ("Waypoint attivo", "Nome del waypoint attivo"),
        ES: ("Baliza activa", "Nombre de la baliza activa"),
        PT: ("Waypoint ativo", "Nome do waypoint ativo")}),
    (163, "MotorTemp", "FLD_MOTOR_TEMP", 9, "Engine temperature from the paramotor sensor", {
        DE: ("Motortemp.", "Motortemperatur vom Sensor am Motorschirm"),
        FR: ("Temp.Moteur", "Température du moteur (capteur paramoteur)"),
        IT: ("Temp.Motore", "Temperatura del motore (sensore paramotore)"),
        ES: ("Temp.Motor", "Temperatura del motor (sensor de paramotor)"),
        PT: ("Temp.Motor", "Temperatura do motor (sensor de paramotor)")}),
    (164, "RPM", "FLD_RPM", 17, "Engine speed in thousands of revolutions per minute", {
        DE: ("Drehzahl", "Motordrehzahl in tausend Umdrehungen pro Minute"),
        FR: ("Tr/min", "Régime moteur en milliers de tours par minute"),
        IT: ("Giri", "Regime del motore in migliaia di giri al minuto"),
        ES: ("RPM", "Régimen del motor en miles de revoluciones por minuto"),
        PT: ("RPM", "Rotação do motor em milhares de rotações por minuto")}),
    (165, "Fuel", "FLD_FUEL", 19, "Fuel left in the tank, in litres", {
        DE: ("Kraftstoff", "Kraftstoff im Tank in Litern"),
        FR: ("Carburant", "Carburant restant dans le réservoir, en litres"),
        IT: ("Carburante", "Carburante rimasto nel serbatoio, in litri"),
        ES: ("Combustible", "Combustible restante en el depósito, en litros"),
        PT: ("Combustível", "Combustível restante no depósito, em litros")}),
    (166, "Dist.Start", "FLD_DIST_START", 4, "Distance to the start cylinder of the task", {
        DE: ("Dist.Start", "Entfernung zum Startzylinder der Aufgabe"),
        FR: ("Dist.Start", "Distance jusqu'au cylindre de départ de la manche"),
        IT: ("Dist.Start", "Distanza dal cilindro di partenza della task"),
        ES: ("Dist.Salida", "Distancia al cilindro de salida de la manga"),
        PT: ("Dist.Partida", "Distância até ao cilindro de partida da prova")}),
    (172, "AveROT", "FLD_AVG_TURN_RATE", 5, "Average rate of turn while circling, in degrees per second", {
        DE: ("Mittl.Drehrate", "Mittlere Drehrate beim Kreisen in Grad pro Sekunde"),
        FR: ("Taux virage", "Taux de virage moyen en spirale, en degrés par seconde"),
        IT: ("Vel.virata", "Velocità di virata media in spirale, in gradi al secondo"),
        ES: ("Tasa giro", "Tasa de giro media al girar, en grados por segundo"),
        PT: ("Taxa volta", "Taxa de viragem média ao enrolar, em graus por segundo")}),
    (173, "Dist.Line", "FLD_DIST_LINE", 4, "Distance to the start or goal line", {
        DE: ("Dist.Linie", "Entfernung zur Start- oder Ziellinie"),
        FR: ("Dist.Ligne", "Distance jusqu'à la ligne de départ ou d'arrivée"),
        IT: ("Dist.Linea", "Distanza dalla linea di partenza o di arrivo"),
        ES: ("Dist.Línea", "Distancia a la línea de salida o de llegada"),
        PT: ("Dist.Linha", "Distância até à linha de partida ou de chegada")}),
    (176, "Voltage", "FLD_VOLTAGE", 16, "Battery voltage in volts", {
        DE: ("Spannung", "Akkuspannung in Volt"),
        FR: ("Tension", "Tension de la batterie en volts"),
        IT: ("Tensione", "Tensione della batteria in volt"),
        ES: ("Voltaje", "Voltaje de la batería en voltios"),
        PT: ("Tensão", "Tensão da bateria em volts")}),
    (177, "Trans.G.R.", "FLD_GR_TRANSITION", 6, "Glide ratio over the ground on the last glide between two thermals", {
        DE: ("Gleitz.Trans.", "Gleitzahl über Grund im letzten Gleitflug zwischen zwei Thermiken"),
        FR: ("Fin.Trans.", "Finesse sol de la dernière transition entre deux thermiques"),
        IT: ("Eff.Trans.", "Efficienza al suolo dell'ultima transizione tra due termiche"),
        ES: ("Planeo Trans.", "Planeo respecto al suelo en la última transición entre térmicas"),
        PT: ("Planeio Trans.", "Razão de planeio no solo da última transição entre térmicas")}),
] + [
    # User-defined fields carry the same name in every language.
    (177 + n, "UDF %d" % n, "FLD_UDF%d" % n, None, "User-defined field %d, set up on the instrument" % n, {})
    for n in range(1, 7)
] + [
    (184, "Wind Dir.", "FLD_WIND_DIR", 5, "Direction the wind blows from, in degrees", {
        DE: ("Windricht.", "Richtung, aus der der Wind weht, in Grad"),
        FR: ("Dir.Vent", "Direction d'où vient le vent, en degrés"),
        IT: ("Dir.Vento", "Direzione di provenienza del vento, in gradi"),
        ES: ("Dir.Viento", "Dirección de la que sopla el viento, en grados"),
        PT: ("Dir.Vento", "Direção de onde sopra o vento, em graus")}),
    (185, "Dist.CTR", "FLD_DIST_CTR", 4, "Horizontal distance to the nearest controlled airspace", {
        DE: ("Dist.Luftraum", "Horizontaler Abstand zum nächsten kontrollierten Luftraum"),
        FR: ("Dist.Espace", "Distance horizontale jusqu'à l'espace aérien contrôlé le plus proche"),
        IT: ("Dist.Spazio", "Distanza orizzontale dallo spazio aereo controllato più vicino"),
        ES: ("Dist.Espacio", "Distancia horizontal al espacio aéreo controlado más cercano"),
        PT: ("Dist.Espaço", "Distância horizontal ao espaço aéreo controlado mais próximo")}),
    (186, "CTR Status", "FLD_CTR_STATUS", 10, "Airspace warning state: outside, close to or inside the nearest airspace", {
        DE: ("Luftraumstatus", "Luftraumwarnung: außerhalb, nahe oder innerhalb des nächsten Luftraums"),
        FR: ("État espace", "Alerte d'espace aérien : dehors, proche ou dedans"),
        IT: ("Stato spazio", "Allarme spazio aereo: fuori, vicino o dentro"),
        ES: ("Estado espacio", "Aviso de espacio aéreo: fuera, cerca o dentro"),
        PT: ("Estado espaço", "Aviso de espaço aéreo: fora, perto ou dentro")}),
    (194, "Alt.to CTR", "FLD_ALT_TO_CTR", 1, "Vertical distance to the floor or ceiling of the nearest airspace", {
        DE: ("Höhe b.Luftr.", "Vertikaler Abstand zur Unter- oder Obergrenze des nächsten Luftraums"),
        FR: ("Alt.Espace", "Distance verticale au plancher ou au plafond de l'espace aérien le plus proche"),
        IT: ("Quota Spazio", "Distanza verticale dalla base o dal tetto dello spazio aereo più vicino"),
        ES: ("Alt.Espacio", "Distancia vertical a la base o al techo del espacio aéreo más cercano"),
        PT: ("Alt.Espaço", "Distância vertical à base ou ao teto do espaço aéreo mais próximo")}),
    (227, "Altitude3", "FLD_ALTITUDE3", 1, "Third altimeter, set on its own", {
        DE: ("Höhe 3", "Dritter Höhenmesser, getrennt einstellbar"),
        FR: ("Altitude 3", "Troisième altimètre, réglable séparément"),
        IT: ("Quota 3", "Terzo altimetro, regolabile a parte"),
        ES: ("Altitud 3", "Tercer altímetro, ajustable por separado"),
        PT: ("Altitude 3", "Terceiro altímetro, ajustável em separado")}),
    (230, "Turnpoint size", "FLD_TURNPOINT_RADIUS", 4, "Radius of the active turnpoint's cylinder", {
        DE: ("Zylinderradius", "Radius des Zylinders der aktiven Wende"),
        FR: ("Rayon balise", "Rayon du cylindre de la balise active"),
        IT: ("Raggio boa", "Raggio del cilindro della boa attiva"),
        ES: ("Radio baliza", "Radio del cilindro de la baliza activa"),
        PT: ("Raio baliza", "Raio do cilindro da baliza ativa")}),
    (231, "Alt.Gain/Loss", "FLD_ALT_GAIN_LOSS", 1, "Height gained or lost since the last thermal", {
        DE: ("Höhe +/-", "Seit der letzten Thermik gewonnene oder verlorene Höhe"),
        FR: ("Gain/Perte", "Altitude gagnée ou perdue depuis le dernier thermique"),
        IT: ("Guad./Perd.", "Quota guadagnata o persa dall'ultima termica"),
        ES: ("Gan./Pérd.", "Altura ganada o perdida desde la última térmica"),
        PT: ("Ganho/Perda", "Altura ganha ou perdida desde a última térmica")}),
    (232, "Int.Temperature", "FLD_INT_TEMP", 9, "Temperature inside the instrument", {
        DE: ("Innentemp.", "Temperatur im Gerät"),
        FR: ("Temp.Int.", "Température à l'intérieur de l'instrument"),
        IT: ("Temp.Interna", "Temperatura all'interno dello strumento"),
        ES: ("Temp.Interna", "Temperatura en el interior del instrumento"),
        PT: ("Temp.Interna", "Temperatura no interior do instrumento")}),
    (236, "Thermal top", "FLD_THERMAL_TOP", 1, "Top altitude of the last thermal", {
        DE: ("Thermikobergr.", "Obergrenze der letzten Thermik"),
        FR: ("Sommet therm.", "Altitude du sommet du dernier thermique"),
        IT: ("Top termica", "Quota di uscita dell'ultima termica"),
        ES: ("Techo térmica", "Altitud del techo de la última térmica"),
        PT: ("Topo térmica", "Altitude do topo da última térmica")}),
    (245, "TAS", "FLD_TAS", 2, "True airspeed from the airspeed sensor", {
        DE: ("TAS", "Wahre Fluggeschwindigkeit vom Fahrtmesser"),
        FR: ("TAS", "Vitesse vraie mesurée par l'anémomètre"),
        IT: ("TAS", "Velocità vera all'aria dall'anemometro"),
        ES: ("TAS", "Velocidad verdadera del anemómetro"),
        PT: ("TAS", "Velocidade verdadeira do anemómetro")}),
    (247, "G-Force", "FLD_G_FORCE", 18, "Load factor in g", {
        DE: ("G-Kraft", "Lastvielfaches in g"),
        FR: ("Facteur G", "Facteur de charge en g"),
        IT: ("Forza G", "Fattore di carico in g"),
        ES: ("Fuerza G", "Factor de carga en g"),
        PT: ("Força G", "Fator de carga em g")}),
    (248, "Pulse", "FLD_PULSE", 17, "Heart rate from a paired sensor, in beats per minute", {
        DE: ("Puls", "Herzfrequenz vom gekoppelten Sensor, Schläge pro Minute"),
        FR: ("Pouls", "Fréquence cardiaque du capteur associé, battements par minute"),
        IT: ("Battito", "Frequenza cardiaca dal sensore associato, battiti al minuto"),
        ES: ("Pulso", "Frecuencia cardíaca del sensor emparejado, pulsaciones por minuto"),
        PT: ("Pulso", "Frequência cardíaca do sensor emparelhado, batimentos por minuto")}),
    (249, "Steps/Min", "FLD_STEP_RATE", 17, "Walking cadence in steps per minute (hike and fly)", {
        DE: ("Schritte/Min", "Schrittfrequenz in Schritten pro Minute (Hike & Fly)"),
        FR: ("Pas/min", "Cadence de marche en pas par minute (marche et vol)"),
        IT: ("Passi/min", "Cadenza di marcia in passi al minuto (hike & fly)"),
        ES: ("Pasos/min", "Cadencia de marcha en pasos por minuto (hike & fly)"),
        PT: ("Passos/min", "Cadência de marcha em passos por minuto (hike & fly)")}),
    (253, "Steps", "FLD_STEPS", 17, "Steps counted since the instrument was switched on", {
        DE: ("Schritte", "Seit dem Einschalten gezählte Schritte"),
        FR: ("Pas", "Pas comptés depuis la mise en marche"),
        IT: ("Passi", "Passi contati dall'accensione"),
        ES: ("Pasos", "Pasos contados desde el encendido"),
        PT: ("Passos", "Passos contados desde que o instrumento foi ligado")}),
    (268, "Bearing", "FLD_BEARING", 5, "Direction to the active waypoint in degrees", {
        DE: ("Peilung", "Richtung zum aktiven Wegpunkt in Grad"),
        FR: ("Relèvement", "Direction de la balise active en degrés"),
        IT: ("Direzione", "Direzione verso il waypoint attivo in gradi"),
        ES: ("Demora", "Dirección hacia la baliza activa en grados"),
        PT: ("Azimute", "Direção para o waypoint ativo em graus")}),
    (271, "Therm.Dur.", "FLD_THERMAL_TIME", 7, "Time spent in the current thermal", {
        DE: ("Thermikzeit", "In der aktuellen Thermik verbrachte Zeit"),
        FR: ("Durée therm.", "Temps passé dans le thermique en cours"),
        IT: ("Durata term.", "Tempo trascorso nella termica attuale"),
        ES: ("Durac.térm.", "Tiempo pasado en la térmica actual"),
        PT: ("Duração térm.", "Tempo passado na térmica atual")}),
    (272, "Thrml.Perfo.", "FLD_THERMAL_CLIMB", 3, "Average climb rate in the current thermal", {
        DE: ("Thermikleist.", "Mittleres Steigen in der aktuellen Thermik"),
        FR: ("Perf.therm.", "Taux de montée moyen dans le thermique en cours"),
        IT: ("Resa termica", "Salita media nella termica attuale"),
        ES: ("Rend.térmica", "Ascenso medio en la térmica actual"),
        PT: ("Rend.térmica", "Subida média na térmica atual")}),
    (274, "AirTemp.", "FLD_AIR_TEMP", 9, "Outside air temperature", {
        DE: ("Lufttemp.", "Außenlufttemperatur"),
        FR: ("Temp.Air", "Température de l'air extérieur"),
        IT: ("Temp.Aria", "Temperatura dell'aria esterna"),
        ES: ("Temp.Aire", "Temperatura del aire exterior"),
        PT: ("Temp.Ar", "Temperatura do ar exterior")}),
    (283, "Last Send", "FLD_LAST_SEND", 7, "Time since the last live-tracking position was sent", {
        DE: ("Letzte Send.", "Zeit seit dem letzten Senden der Live-Tracking-Position"),
        FR: ("Dernier envoi", "Temps depuis le dernier envoi de position du suivi en direct"),
        IT: ("Ultimo invio", "Tempo dall'ultimo invio della posizione del live tracking"),
        ES: ("Último envío", "Tiempo desde el último envío de posición del seguimiento en vivo"),
        PT: ("Último envio", "Tempo desde o último envio da posição do seguimento ao vivo")}),
    (288, "CTR Name", "FLD_CTR_NAME", 10, "Name of the nearest airspace", {
        DE: ("Luftraumname", "Name des nächsten Luftraums"),
        FR: ("Nom espace", "Nom de l'espace aérien le plus proche"),
        IT: ("Nome spazio", "Nome dello spazio aereo più vicino"),
        ES: ("Nombre espacio", "Nombre del espacio aéreo más cercano"),
        PT: ("Nome espaço", "Nome do espaço aéreo mais próximo")}),
    (290, "Floor", "FLD_CTR_FLOOR", 1, "Floor of the nearest airspace", {
        DE: ("Untergrenze", "Untergrenze des nächsten Luftraums"),
        FR: ("Plancher", "Plancher de l'espace aérien le plus proche"),
        IT: ("Base", "Base dello spazio aereo più vicino"),
        ES: ("Base", "Base del espacio aéreo más cercano"),
        PT: ("Base", "Base do espaço aéreo mais próximo")}),
    (291, "Ceiling", "FLD_CTR_CEILING", 1, "Ceiling of the nearest airspace", {
        DE: ("Obergrenze", "Obergrenze des nächsten Luftraums"),
        FR: ("Plafond", "Plafond de l'espace aérien le plus proche"),
        IT: ("Tetto", "Tetto dello spazio aereo più vicino"),
        ES: ("Techo", "Techo del espacio aéreo más cercano"),
        PT: ("Teto", "Teto do espaço aéreo mais próximo")}),
    (298, "Dist.Cone", "FLD_DIST_CONE", 4, "Horizontal distance to the final glide cone", {
        DE: ("Dist.Kegel", "Horizontaler Abstand zum Endanflugkegel"),
        FR: ("Dist.Cône", "Distance horizontale jusqu'au cône de finesse finale"),
        IT: ("Dist.Cono", "Distanza orizzontale dal cono di planata finale"),
        ES: ("Dist.Cono", "Distancia horizontal al cono de planeo final"),
        PT: ("Dist.Cone", "Distância horizontal ao cone de planeio final")}),
    (306, "Dist.ConeA", "FLD_DIST_CONE_ROUTE", 4, "Distance to the final glide cone along the optimised route", {
        DE: ("Dist.KegelA", "Abstand zum Endanflugkegel entlang der optimierten Route"),
        FR: ("Dist.CôneA", "Distance jusqu'au cône de finesse finale par la route optimisée"),
        IT: ("Dist.ConoA", "Distanza dal cono di planata finale lungo la rotta ottimizzata"),
        ES: ("Dist.ConoA", "Distancia al cono de planeo final por la ruta optimizada"),
        PT: ("Dist.ConeA", "Distância ao cone de planeio final pela rota otimizada")}),
    (313, "OptSpdCone", "FLD_CONE_AIRSPEED", 2, "Best airspeed for reaching the final glide cone", {
        DE: ("OptGeschKegel", "Beste Fluggeschwindigkeit bis zum Endanflugkegel"),
        FR: ("VitOptCône", "Meilleure vitesse air pour rejoindre le cône de finesse finale"),
        IT: ("VelOttCono", "Velocità all'aria ottimale per raggiungere il cono di planata finale"),
        ES: ("VelÓptCono", "Velocidad aerodinámica óptima para llegar al cono de planeo final"),
        PT: ("VelÓtCone", "Velocidade no ar ótima para chegar ao cone de planeio final")}),
    (314, "OptGndSpdCone", "FLD_CONE_GROUNDSPEED", 2, "Ground speed that the best airspeed to the final glide cone gives", {
        DE: ("OptGrGeschKegel", "Geschwindigkeit über Grund bei bester Fahrt zum Endanflugkegel"),
        FR: ("VitSolOptCône", "Vitesse sol obtenue à la vitesse optimale vers le cône de finesse finale"),
        IT: ("VelSuoloOttCono", "Velocità al suolo alla velocità ottimale verso il cono di planata finale"),
        ES: ("VelSueloÓptCono", "Velocidad respecto al suelo a la velocidad óptima hacia el cono de planeo final"),
        PT: ("VelSoloÓtCone", "Velocidade no solo à velocidade ótima para o cone de planeio final")}),
    (315, "ConeVSpd", "FLD_CONE_VSPEED", 3, "Climb rate still needed to reach the final glide cone", {
        DE: ("VGeschKegel", "Nötiges Steigen, um den Endanflugkegel zu erreichen"),
        FR: ("VzCône", "Taux de montée encore nécessaire pour rejoindre le cône de finesse finale"),
        IT: ("VzCono", "Salita ancora necessaria per raggiungere il cono di planata finale"),
        ES: ("VzCono", "Ascenso aún necesario para llegar al cono de planeo final"),
        PT: ("VzCone", "Subida ainda necessária para chegar ao cone de planeio final")}),
    (316, "McRdyNxtThrm", "FLD_MACCREADY", 3, "MacCready setting: the climb rate expected in the next thermal", {
        DE: ("McCrNächsteTh", "MacCready-Wert: das in der nächsten Thermik erwartete Steigen"),
        FR: ("McCrThSuiv", "Calage MacCready : la montée attendue dans le prochain thermique"),
        IT: ("McCrTermSucc", "Valore MacCready: la salita attesa nella prossima termica"),
        ES: ("McCrTérmSig", "Valor MacCready: el ascenso esperado en la próxima térmica"),
        PT: ("McCrTérmPróx", "Valor MacCready: a subida esperada na próxima térmica")}),
    (317, "SpeedToFly", "FLD_SPEED_TO_FLY", 2, "Airspeed to fly for the best cross-country speed (MacCready)", {
        DE: ("Sollfahrt", "Sollfahrt für die beste Streckengeschwindigkeit (MacCready)"),
        FR: ("Vit.à voler", "Vitesse à tenir pour la meilleure vitesse de croisière (MacCready)"),
        IT: ("Vel.ottimale", "Velocità da tenere per la migliore velocità di crociera (MacCready)"),
        ES: ("Vel.óptima", "Velocidad a volar para la mejor velocidad de crucero (MacCready)"),
        PT: ("Vel.ótima", "Velocidade a voar para a melhor velocidade de cruzeiro (MacCready)")}),
    (319, "AGL", "FLD_AGL", 1, "Height above the ground below (altitude minus terrain elevation)", {
        DE: ("Höhe üb.Gr.", "Höhe über dem Gelände darunter (Höhe minus Geländehöhe)"),
        FR: ("Hauteur sol", "Hauteur au-dessus du relief (altitude moins altitude du terrain)"),
        IT: ("Q.dal suolo", "Quota sul terreno sottostante (quota meno quota del terreno)"),
        ES: ("Alt.s/suelo", "Altura sobre el terreno (altitud menos elevación del terreno)"),
        PT: ("Alt.s/solo", "Altura acima do terreno (altitude menos elevação do terreno)")}),
    (320, "Ground", "FLD_GROUND", 1, "Terrain elevation below, from the elevation map", {
        DE: ("Gelände", "Geländehöhe darunter, aus der Höhenkarte"),
        FR: ("Sol", "Altitude du terrain en dessous, d'après la carte du relief"),
        IT: ("Terreno", "Quota del terreno sottostante, dalla mappa altimetrica"),
        ES: ("Terreno", "Elevación del terreno debajo, según el mapa de elevaciones"),
        PT: ("Terreno", "Elevação do terreno por baixo, segundo o mapa de elevação")}),
    (321, "IAS", "FLD_IAS", 2, "Indicated airspeed from the airspeed sensor", {
        DE: ("IAS", "Angezeigte Fluggeschwindigkeit vom Fahrtmesser"),
        FR: ("IAS", "Vitesse indiquée mesurée par l'anémomètre"),
        IT: ("IAS", "Velocità indicata dall'anemometro"),
        ES: ("IAS", "Velocidad indicada del anemómetro"),
        PT: ("IAS", "Velocidade indicada do anemómetro")}),
    (322, "Compass", "FLD_COMPASS", 5, "Magnetic heading from the electronic compass", {
        DE: ("Kompass", "Magnetischer Steuerkurs vom elektronischen Kompass"),
        FR: ("Compas", "Cap magnétique donné par le compas électronique"),
        IT: ("Bussola", "Prua magnetica dalla bussola elettronica"),
        ES: ("Brújula", "Rumbo magnético de la brújula electrónica"),
        PT: ("Bússola", "Rumo magnético da bússola eletrónica")}),
]

# Fields a dial may show, with the default scale (None = no default).
DIALS = {60: (0, 100), 90: (0, 20), 105: (-5, 5), 108: (0, 80), 147: (0, 80), 149: (-5, 5),
         163: (0, 150), 164: (0, 12), 165: (0, 30), 176: (0, 4.4), 232: (-10, 60), 247: (0, 4),
         249: (0, 250), 272: (-5, 5), 274: (-10, 60), 315: (0, 10), 316: (None, None)}
NO_LARGE_FONT = {162, 186, 288}

# Strings of the instrument's menus: catalogue rows that are not data fields.
OTHER_STRINGS = [
    (1, "Page", "STR_PAGE", {DE: "Seite", FR: "Page", IT: "Pagina", ES: "Página", PT: "Página"}),
    (2, "Settings", "STR_SETTINGS", {DE: "Einstellungen", FR: "Réglages", IT: "Impostazioni",
                                     ES: "Ajustes", PT: "Definições"}),
    (3, "Language", "STR_LANGUAGE", {DE: "Sprache", FR: "Langue", IT: "Lingua", ES: "Idioma", PT: "Idioma"}),
    (4, "Units", "STR_UNITS", {DE: "Einheiten", FR: "Unités", IT: "Unità", ES: "Unidades", PT: "Unidades"}),
    (5, "Back", "STR_BACK", {DE: "Zurück", FR: "Retour", IT: "Indietro", ES: "Atrás", PT: "Voltar"}),
    (6, "Airspaces", "STR_AIRSPACES", {DE: "Lufträume", FR: "Espaces aériens", IT: "Spazi aerei",
                                       ES: "Espacios aéreos", PT: "Espaços aéreos"}),
]

ALL_IDS = [f[0] for f in FIELDS]
ENGINE = {163, 164, 165}
UDF = set(range(178, 184))
AIRSPEED = {245, 321}
BODY = {247, 248, 249, 253}
CONE = {298, 306, 313, 314, 315, 316, 317}
# Which fields each model offers.
TEY = [i for i in ALL_IDS if i not in ENGINE | UDF | AIRSPEED | BODY | CONE | {283, 320, 322}]
MODEL_FIELDS = {
    1: [i for i in ALL_IDS if i != 322],
    2: [i for i in ALL_IDS if i not in (322, 283)],
    3: TEY,
    4: [33, 36, 37, 46, 60, 82, 83, 92, 95, 96, 101, 105, 106, 107, 108, 109, 110, 111, 123, 124,
        125, 147, 149, 158, 159, 172, 176, 184, 231, 232, 274],
    5: TEY + [322],
}
MODEL_COUNTS = {1: 89, 2: 88, 3: 65, 4: 31, 5: 66}
NAMES = {f[0]: f[1] for f in FIELDS}
TYPES = {f[0]: f[3] for f in FIELDS}


def model_order(model, ids):
    """Each model numbers its fields its own way, so one sequence number
    names different fields on different models."""
    if model == 1:
        return sorted(ids)
    if model == 2:
        return sorted(ids, reverse=True)
    if model == 3:
        return sorted(ids, key=lambda i: NAMES[i].encode())
    if model == 4:
        return sorted(ids, key=lambda i: (TYPES[i] or 0, i))
    return sorted(ids, key=lambda i: NAMES[i].encode(), reverse=True)


def q(value):
    if value is None:
        return "NULL"
    if isinstance(value, (int, float)):
        return repr(value)
    return "'" + value.replace("'", "''") + "'"


def main(out):
    assert len(FIELDS) == 90 and len(set(ALL_IDS)) == 90
    for model, count in MODEL_COUNTS.items():
        assert len(set(MODEL_FIELDS[model])) == count, (model, len(MODEL_FIELDS[model]))
    w = out.write
    w("-- Field catalogue, built into R8strings.sqlite by the build.\n")
    w("-- Generated by tools/make_r8strings.py; edit the tables there.\n")
    w("PRAGMA foreign_keys=OFF;\nBEGIN TRANSACTION;\n")
    w("CREATE TABLE Languages (Id INTEGER PRIMARY KEY AUTOINCREMENT, Name VARCHAR);\n")
    w("CREATE TABLE Models (Id INTEGER PRIMARY KEY AUTOINCREMENT, Name VARCHAR);\n")
    w("CREATE TABLE BaseStrings (Id INTEGER PRIMARY KEY AUTOINCREMENT, String VARCHAR, stringID VARCHAR,\n"
      "  DataField BOOL, DataType INTEGER, Description VARCHAR, NoLargeFont BOOL, CanBeDial BOOL DEFAULT 'false',\n"
      "  MinRange FLOAT, MaxRange FLOAT);\n")
    w("CREATE TABLE ModelStrings (Id INTEGER PRIMARY KEY AUTOINCREMENT, BaseId INTEGER, Sequence INTEGER,\n"
      "  FromVersion INTEGER, ToVersion INTEGER, ModelId INTEGER);\n")
    w("CREATE UNIQUE INDEX ModelSeq ON ModelStrings (Sequence, ModelId);\n")
    w("CREATE UNIQUE INDEX ModelBase ON ModelStrings (BaseId, ModelId);\n")
    w("CREATE TABLE LanguageStrings (Id INTEGER PRIMARY KEY AUTOINCREMENT, BaseId INTEGER, LanguageId INTEGER,\n"
      "  String VARCHAR, Description VARCHAR);\n")
    w("CREATE UNIQUE INDEX LangBase ON LanguageStrings (BaseId, LanguageId);\n")
    w("CREATE TABLE OperatorAPN (Id INTEGER PRIMARY KEY AUTOINCREMENT, Country VARCHAR, Operator VARCHAR,\n"
      "  APN VARCHAR, User VARCHAR, Password VARCHAR);\n")
    for lid, name in LANGS:
        w("INSERT INTO Languages VALUES (%d,%s);\n" % (lid, q(name)))
    for mid, name in MODELS:
        w("INSERT INTO Models VALUES (%d,%s);\n" % (mid, q(name)))

    for sid, name, string_id, _ in OTHER_STRINGS:
        w("INSERT INTO BaseStrings VALUES (%d,%s,%s,'false',NULL,NULL,NULL,'false',NULL,NULL);\n"
          % (sid, q(name), q(string_id)))
    for n, (fid, name, string_id, dtype, desc, _) in enumerate(FIELDS):
        # The flags come as 'true'/'false', 0 or NULL, as older catalogues had them.
        nolarge = "'true'" if fid in NO_LARGE_FONT else ("NULL" if fid in UDF else ("0" if n % 3 == 0 else "'false'"))
        if fid in DIALS:
            dial, (lo, hi) = "'true'", DIALS[fid]
        else:
            dial, lo, hi = ("0" if n % 4 == 0 else "'false'"), None, None
        w("INSERT INTO BaseStrings VALUES (%d,%s,%s,'true',%s,%s,%s,%s,%s,%s);\n"
          % (fid, q(name), q(string_id), q(dtype), q(desc), nolarge, dial, q(lo), q(hi)))

    for model in sorted(MODEL_FIELDS):
        order = model_order(model, MODEL_FIELDS[model])
        for n, fid in enumerate(order):
            since = 230 if fid >= 298 else 100
            w("INSERT INTO ModelStrings (BaseId,Sequence,FromVersion,ToVersion,ModelId) VALUES (%d,%d,%d,0,%d);\n"
              % (fid, 10 * (n + 1), since, model))
        if model == 1:
            # Menu strings the instrument numbers after its fields.
            for k, (sid, _, _, _) in enumerate(OTHER_STRINGS):
                w("INSERT INTO ModelStrings (BaseId,Sequence,FromVersion,ToVersion,ModelId) VALUES (%d,%d,100,0,1);\n"
                  % (sid, 5000 + 10 * k))

    for lang in (PT, ES, FR, DE, IT):
        for fid, _, _, _, _, tr in FIELDS:
            if lang in tr:
                name, desc = tr[lang]
                w("INSERT INTO LanguageStrings (BaseId,LanguageId,String,Description) VALUES (%d,%d,%s,%s);\n"
                  % (fid, lang, q(name), q(desc)))
        for sid, _, _, tr in OTHER_STRINGS:
            w("INSERT INTO LanguageStrings (BaseId,LanguageId,String,Description) VALUES (%d,%d,%s,NULL);\n"
              % (sid, lang, q(tr[lang])))

    w("CREATE VIEW Lng AS SELECT Languages.Name AS Language, BaseStrings.Id AS BaseId,\n"
      "  BaseStrings.String AS Base, LanguageStrings.String AS Translation, LanguageStrings.Description\n"
      "  FROM LanguageStrings JOIN Languages ON Languages.Id=LanguageStrings.LanguageId\n"
      "  JOIN BaseStrings ON BaseStrings.Id=LanguageStrings.BaseId;\n")
    for mid, name in MODELS:
        w("CREATE VIEW \"Fields %s\" AS SELECT Sequence, BaseStrings.Id AS BaseId, BaseStrings.String AS Name,\n"
          "  DataType FROM ModelStrings JOIN BaseStrings ON BaseStrings.Id=ModelStrings.BaseId\n"
          "  WHERE ModelId=%d AND DataField='true' ORDER BY Sequence;\n" % (name, mid))
    w("COMMIT;\n")


if __name__ == "__main__":
    sys.stdout.reconfigure(encoding="utf-8")
    main(sys.stdout)
