-- Demo installation seed for entity CATALOGOS. One statement per line (text may span lines).
-- The component's own wording of each tariff position.
INSERT INTO NCMCEO (NCM, Descripcion) VALUES ('8708.29.99', 'Las demás partes y accesorios de carrocerías (incluidas las de cabina)');
INSERT INTO NCMCEO (NCM, Descripcion) VALUES ('8708.30.90', 'Frenos y servofrenos; sus partes - Los demás');
INSERT INTO NCMCEO (NCM, Descripcion) VALUES ('8708.99.90', 'Las demás partes y accesorios de vehículos automóviles de las partidas 87.01 a 87.05');
INSERT INTO NCMCEO (NCM, Descripcion) VALUES ('8421.23.00', 'Aparatos para filtrar lubricantes o carburantes en los motores de encendido por chispa o compresión');
INSERT INTO NCMCEO (NCM, Descripcion) VALUES ('4016.93.00', 'Juntas o empaquetaduras de caucho vulcanizado sin endurecer');
INSERT INTO NCMCEO (NCM, Descripcion) VALUES ('8511.10.00', 'Bujías de encendido');
INSERT INTO NCMCEO (NCM, Descripcion) VALUES ('2204.21.00', 'Vinos en recipientes con capacidad inferior o igual a 2 l');
INSERT INTO NCMCEO (NCM, Descripcion) VALUES ('1101.00.10', 'Harina de trigo');
INSERT INTO NCMCEO (NCM, Descripcion) VALUES ('1902.19.00', 'Las demás pastas alimenticias sin cocer, rellenar ni preparar de otra forma');
INSERT INTO NCMCEO (NCM, Descripcion) VALUES ('1905.31.00', 'Galletas dulces (con adición de edulcorante)');
INSERT INTO NCMCEO (NCM, Descripcion) VALUES ('0202.30.00', 'Carne de animales de la especie bovina, congelada, deshuesada');
INSERT INTO NCMCEO (NCM, Descripcion) VALUES ('0206.29.00', 'Los demás despojos comestibles de la especie bovina, congelados');
INSERT INTO NaladisaCEO (Naladisa, Descripcion) VALUES ('8708.29.00', 'Partes y accesorios de carrocerías, incluidas las de cabina');
INSERT INTO NaladisaCEO (Naladisa, Descripcion) VALUES ('8708.39.00', 'Los demás frenos y servofrenos y sus partes');
INSERT INTO NaladisaCEO (Naladisa, Descripcion) VALUES ('8708.99.00', 'Las demás partes y accesorios de vehículos automóviles');
INSERT INTO NaladisaCEO (Naladisa, Descripcion) VALUES ('8421.23.00', 'Aparatos para filtrar lubricantes o carburantes en motores');
INSERT INTO NaladisaCEO (Naladisa, Descripcion) VALUES ('4016.93.00', 'Juntas o empaquetaduras de caucho vulcanizado');
INSERT INTO NaladisaCEO (Naladisa, Descripcion) VALUES ('8511.10.00', 'Bujías de encendido');
INSERT INTO NaladisaCEO (Naladisa, Descripcion) VALUES ('2204.21.00', 'Vinos de uvas frescas en recipientes de capacidad inferior o igual a 2 l');
INSERT INTO NaladisaCEO (Naladisa, Descripcion) VALUES ('1101.00.00', 'Harina de trigo o de morcajo (tranquillón)');
INSERT INTO NaladisaCEO (Naladisa, Descripcion) VALUES ('1902.19.00', 'Las demás pastas alimenticias sin cocer');
INSERT INTO NaladisaCEO (Naladisa, Descripcion) VALUES ('1905.30.00', 'Galletas dulces, barquillos y obleas');
INSERT INTO NaladisaCEO (Naladisa, Descripcion) VALUES ('0202.30.00', 'Carne bovina congelada, deshuesada');
INSERT INTO NaladisaCEO (Naladisa, Descripcion) VALUES ('0206.29.00', 'Los demás despojos comestibles de bovinos, congelados');

-- Origin criteria (MERCOSUR origin regime, Dec. CMC 01/09, and ALADI).
INSERT INTO DescripcionNormasOrigen (IDNormasOrigen, Descripcion, Oculto) VALUES ('1', 'Art. 3 lit. a) Productos totalmente obtenidos en el territorio de los Estados Partes', 'N');
INSERT INTO DescripcionNormasOrigen (IDNormasOrigen, Descripcion, Oculto) VALUES ('2', 'Art. 3 lit. b) Elaborados exclusivamente con materiales originarios de los Estados Partes', 'N');
INSERT INTO DescripcionNormasOrigen (IDNormasOrigen, Descripcion, Oculto) VALUES ('3', 'Art. 3 lit. c) Salto de partida: materiales no originarios clasificados en otra partida NCM', 'N');
INSERT INTO DescripcionNormasOrigen (IDNormasOrigen, Descripcion, Oculto) VALUES ('4', 'Art. 3 lit. d) Valor CIF de materiales no originarios no excede el 40% del valor FOB', 'N');
INSERT INTO DescripcionNormasOrigen (IDNormasOrigen, Descripcion, Oculto) VALUES ('5', 'Art. 3 lit. e) Requisitos específicos de origen del Anexo II del Régimen de Origen', 'N');
INSERT INTO DescripcionNormasOrigen (IDNormasOrigen, Descripcion, Oculto) VALUES ('6', 'Art. 3 lit. f) Montaje o ensamble con valor agregado regional no inferior al 40% del FOB', 'N');
INSERT INTO DescripcionNormasOrigen (IDNormasOrigen, Descripcion, Oculto) VALUES ('7', 'Res. ALADI 252, Cap. I, Art. 1 lit. c) Cambio de partida en la NALADISA', 'N');
INSERT INTO DescripcionNormasOrigen (IDNormasOrigen, Descripcion, Oculto) VALUES ('8', 'Dec. CMC 18/94 (derogada) Valor agregado regional mínimo del 60% del FOB', 'S');
