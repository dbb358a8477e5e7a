-- Demo installation seed for entity INTERNOS. One statement per line (text may span lines).
-- Countries and units of the host.
INSERT INTO pais (id, descripcion) VALUES (200, 'Argentina');
INSERT INTO pais (id, descripcion) VALUES (202, 'Bolivia');
INSERT INTO pais (id, descripcion) VALUES (203, 'Brasil');
INSERT INTO pais (id, descripcion) VALUES (205, 'Colombia');
INSERT INTO pais (id, descripcion) VALUES (208, 'Chile');
INSERT INTO pais (id, descripcion) VALUES (210, 'Ecuador');
INSERT INTO pais (id, descripcion) VALUES (218, 'México');
INSERT INTO pais (id, descripcion) VALUES (221, 'Paraguay');
INSERT INTO pais (id, descripcion) VALUES (222, 'Perú');
INSERT INTO pais (id, descripcion) VALUES (225, 'Uruguay');
INSERT INTO pais (id, descripcion) VALUES (226, 'Venezuela');
INSERT INTO unidades (id, simple) VALUES (1, 'KG');
INSERT INTO unidades (id, simple) VALUES (2, 'UN');
INSERT INTO unidades (id, simple) VALUES (3, 'LT');
INSERT INTO unidades (id, simple) VALUES (4, 'MT');
INSERT INTO unidades (id, simple) VALUES (5, 'M2');
INSERT INTO unidades (id, simple) VALUES (6, 'PAR');
INSERT INTO unidades (id, simple) VALUES (7, 'DOC');
INSERT INTO unidades (id, simple) VALUES (8, 'TN');
INSERT INTO unidades (id, simple) VALUES (10, 'JGO');

-- Export operations.
INSERT INTO Caratula (Interno, Cuitcliente, fobdivcambio, IdPaisDestino) VALUES ('EX-2026-0001', '30-71234567-8', 1, 203);
INSERT INTO Caratula (Interno, Cuitcliente, fobdivcambio, IdPaisDestino) VALUES ('EX-2026-0002', '30-50012345-6', 0.98, 208);
INSERT INTO Caratula (Interno, Cuitcliente, fobdivcambio, IdPaisDestino) VALUES ('EX-2026-0003', '30-68543210-9', 1, 225);
INSERT INTO Caratula (Interno, Cuitcliente, fobdivcambio, IdPaisDestino) VALUES ('EX-2026-0004', '30-52987654-1', 0.98, 221);
INSERT INTO Caratula (Interno, Cuitcliente, fobdivcambio, IdPaisDestino) VALUES ('EX-2026-0005', '30-68543210-9', 1, 205);

-- The host's article catalogue.
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('DAL', 'DA-1001', 'Paragolpes delantero Fiat Cronos', '8708.29.99', '8708.29.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('DAL', 'DA-1002', 'Paragolpes trasero Fiat Cronos', '8708.29.99', '8708.29.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('DAL', 'DA-1003', 'Bisagra de puerta delantera izquierda
Peugeot 208 (2019 en adelante)', '8708.29.99', '8708.29.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('DAL', 'DA-1004', 'Bisagra de puerta delantera derecha
Peugeot 208 (2019 en adelante)', '8708.29.99', '8708.29.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('DAL', 'DA-1005', 'Cerradura de capot con cable de apertura', '8708.29.99', '8708.29.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('DAL', 'DA-1006', 'Guardabarros delantero izquierdo de chapa galvanizada para Volkswagen Amarok V6 modelos 2018 en adelante', '8708.29.99', '8708.29.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('DAL', 'DA-1007', 'Moldura lateral de puerta (juego por 4)', '8708.29.99', '8708.29.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('DAL', 'DA-1008', 'Soporte de paragolpes delantero', '8708.29.99', '8708.29.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('DAL', 'DA-2001', 'Pastilla de freno delantera
Fiat Cronos 1.3 / 1.8
Juego por 4 unidades', '8708.30.90', '8708.39.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('DAL', 'DA-2002', 'Disco de freno ventilado 256 mm', '8708.30.90', '8708.39.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('DAL', 'DA-2003', 'Campana de freno trasera 203 mm', '8708.30.90', '8708.39.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('DAL', 'DA-2004', 'Cilindro de rueda trasero 19,05 mm', '8708.30.90', '8708.39.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('DAL', 'DA-2005', 'Zapata de freno trasera con forro remachado', '8708.30.90', '8708.39.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('DAL', 'DA-2006', 'Bomba de freno con depósito de líquido', '8708.30.90', '8708.39.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('DAL', 'DA-2007', 'Servofreno de vacío 9 pulgadas', '8708.30.90', '8708.39.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('DAL', 'DA-3001', 'Soporte de motor delantero', '8708.99.90', '8708.99.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('DAL', 'DA-3002', 'Buje de parrilla de suspensión', '8708.99.90', '8708.99.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('DAL', 'DA-3003', 'Rótula de suspensión inferior', '8708.99.90', '8708.99.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('DAL', 'DA-3004', 'Extremo de dirección', '8708.99.90', '8708.99.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('DAL', 'DA-3005', 'Bieleta de barra estabilizadora', '8708.99.90', '8708.99.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('DAL', 'DA-3006', 'Tensor de correa de distribución
con rodamiento sellado', '8708.99.90', '8708.99.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('DAL', 'DA-4001', 'Filtro de aceite motor 1.6 8V', '8421.23.00', '8421.23.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('DAL', 'DA-4002', 'Filtro de aceite motor diésel 2.0 TDI', '8421.23.00', '8421.23.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('DAL', 'DA-4003', 'Filtro de combustible nafta en línea', '8421.23.00', '8421.23.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('DAL', 'DA-4004', 'Filtro de combustible diésel con trampa de agua', '8421.23.00', '8421.23.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('DAL', 'DA-4005', 'Filtro de aceite para caja automática', '8421.23.00', '8421.23.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('DAL', 'DA-4006', 'Cartucho filtrante de aceite ecológico', '8421.23.00', '8421.23.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('DAL', 'DA-5001', 'Junta de tapa de cilindros', '4016.93.00', '4016.93.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('DAL', 'DA-5002', 'Juego de juntas de motor completo
Renault K4M 1.6 16V', '4016.93.00', '4016.93.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('DAL', 'DA-5003', 'Burlete de puerta delantera', '4016.93.00', '4016.93.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('DAL', 'DA-5004', 'Retén de cigüeñal delantero', '4016.93.00', '4016.93.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('DAL', 'DA-5005', 'Anillo de goma para inyector', '4016.93.00', '4016.93.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('DAL', 'DA-6001', 'Bujía de encendido electrodo de cobre', '8511.10.00', '8511.10.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('DAL', 'DA-6002', 'Bujía de encendido de iridio', '8511.10.00', '8511.10.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('DAL', 'DA-6003', 'Bujía de precalentamiento diésel 11 V', '8511.10.00', '8511.10.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('DAL', 'DA-6004', 'Juego de bujías por 4 con cables', '8511.10.00', '8511.10.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('BVU', 'MAL-750', 'Vino tinto Malbec reserva 2022
Caja por 6 botellas de 750 ml', '2204.21.00', '2204.21.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('MRS', 'MRS-001', 'Harina de trigo tipo 000
en bolsas de 50 kg', '1101.00.10', '1101.00.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('MRS', 'MRS-002', '', '1902.19.00', '1902.19.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('MRS', 'MRS-004', 'Fideos secos tipo tallarín
Paquete de 500 g', '1902.19.00', '1902.19.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('FLP', 'BOV-100', 'Carne bovina deshuesada congelada
Cortes Hilton en cajas de 25 kg', '0202.30.00', '0202.30.00');
INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, Naladisa) VALUES ('FLP', 'BOV-210', 'Hígado bovino congelado', '0206.29.00', '0206.29.00');

-- Invoice lines of each operation.
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.29.99.900K', '8708.29.00', 40, 'DA-1001', 'DAL', 'PARAGOLPES DELANTERO FIAT CRONOS', 2, 1832.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.29.99.900K', '8708.29.00', 80, 'DA-1001', 'DAL', 'PARAGOLPES DELANTERO FIAT CRONOS', 2, 3664.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.29.99.900K', '8708.29.00', 80, 'DA-1002', 'DAL', 'PARAGOLPES TRASERO FIAT CRONOS', 2, 3448.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.29.99.900K', '8708.29.00', 400, 'DA-1003', 'DAL', 'BISAGRA DE PUERTA DELANTERA IZQUIERDA', 2, 2500.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.29.99.900K', '8708.29.00', 400, 'DA-1004', 'DAL', 'BISAGRA DE PUERTA DELANTERA DERECHA', 2, 2500.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.29.99.900K', '8708.29.00', 150, 'DA-1005', 'DAL', 'CERRADURA DE CAPOT CON CABLE DE APERTURA', 2, 1860.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.29.99.900K', '8708.29.00', 60, 'DA-1006', 'DAL', 'GUARDABARROS DELANTERO IZQUIERDO DE CHAP', 2, 2280.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.29.99.900K', '8708.29.00', 75, 'DA-1007', 'DAL', 'MOLDURA LATERAL DE PUERTA (JUEGO POR 4)', 10, 1687.5);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.29.99.900K', '8708.29.00', 300, 'DA-1008', 'DAL', 'SOPORTE DE PARAGOLPES DELANTERO', 2, 1470.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.30.90.100R', '8708.39.00', 250, 'DA-2001', 'DAL', 'PASTILLA DE FRENO DELANTERA', 10, 3550.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.30.90.100R', '8708.39.00', 75, 'DA-2002', 'DAL', 'DISCO DE FRENO VENTILADO 256 MM', 2, 1406.25);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.30.90.100R', '8708.39.00', 125, 'DA-2002', 'DAL', 'DISCO DE FRENO VENTILADO 256 MM', 2, 2343.75);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.30.90.100R', '8708.39.00', 180, 'DA-2003', 'DAL', 'CAMPANA DE FRENO TRASERA 203 MM', 2, 2934.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.30.90.100R', '8708.39.00', 320, 'DA-2004', 'DAL', 'CILINDRO DE RUEDA TRASERO 19,05 MM', 2, 2272.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.30.90.100R', '8708.39.00', 140, 'DA-2005', 'DAL', 'ZAPATA DE FRENO TRASERA CON FORRO REMACH', 10, 1624.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.30.90.100R', '8708.39.00', 90, 'DA-2006', 'DAL', 'BOMBA DE FRENO CON DEPÓSITO DE LÍQUIDO', 2, 2691.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.30.90.100R', '8708.39.00', 40, 'DA-2007', 'DAL', 'SERVOFRENO DE VACÍO 9 PULGADAS', 2, 2160.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.99.90.990W', '8708.99.00', 220, 'DA-3001', 'DAL', 'SOPORTE DE MOTOR DELANTERO', 2, 2904.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.99.90.990W', '8708.99.00', 1500, 'DA-3002', 'DAL', 'BUJE DE PARRILLA DE SUSPENSIÓN', 2, 3525.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.99.90.990W', '8708.99.00', 600, 'DA-3003', 'DAL', 'RÓTULA DE SUSPENSIÓN INFERIOR', 2, 5040.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.99.90.990W', '8708.99.00', 500, 'DA-3004', 'DAL', 'EXTREMO DE DIRECCIÓN', 2, 3975.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.99.90.990W', '8708.99.00', 800, 'DA-3005', 'DAL', 'BIELETA DE BARRA ESTABILIZADORA', 2, 3680.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.99.90.990W', '8708.99.00', 110, 'DA-3006', 'DAL', 'TENSOR DE CORREA DE DISTRIBUCIÓN', 2, 1738.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8421.23.00.000Z', '8421.23.00', 900, 'DA-4001', 'DAL', 'FILTRO DE ACEITE MOTOR 1.6 8V', 2, 3465.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8421.23.00.000Z', '8421.23.00', 1500, 'DA-4001', 'DAL', 'FILTRO DE ACEITE MOTOR 1.6 8V', 2, 5775.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8421.23.00.000Z', '8421.23.00', 1200, 'DA-4002', 'DAL', 'FILTRO DE ACEITE MOTOR DIÉSEL 2.0 TDI', 2, 6240.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8421.23.00.000Z', '8421.23.00', 1800, 'DA-4003', 'DAL', 'FILTRO DE COMBUSTIBLE NAFTA EN LÍNEA', 2, 7380.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8421.23.00.000Z', '8421.23.00', 350, 'DA-4004', 'DAL', 'FILTRO DE COMBUSTIBLE DIÉSEL CON TRAMPA ', 2, 3412.5);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8421.23.00.000Z', '8421.23.00', 90, 'DA-4005', 'DAL', 'FILTRO DE ACEITE PARA CAJA AUTOMÁTICA', 2, 1026.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8421.23.00.000Z', '8421.23.00', 1000, 'DA-4006', 'DAL', 'CARTUCHO FILTRANTE DE ACEITE ECOLÓGICO', 2, 4600.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '4016.93.00.000B', '4016.93.00', 260, 'DA-5001', 'DAL', 'JUNTA DE TAPA DE CILINDROS', 2, 1768.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '4016.93.00.000B', '4016.93.00', 75, 'DA-5002', 'DAL', 'JUEGO DE JUNTAS DE MOTOR COMPLETO', 10, 1837.5);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '4016.93.00.000B', '4016.93.00', 350.5, 'DA-5003', 'DAL', 'BURLETE DE PUERTA DELANTERA', 4, 736.05);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '4016.93.00.000B', '4016.93.00', 2000, 'DA-5004', 'DAL', 'RETÉN DE CIGÜEÑAL DELANTERO', 2, 3900.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '4016.93.00.000B', '4016.93.00', 5000, 'DA-5005', 'DAL', 'ANILLO DE GOMA PARA INYECTOR', 2, 1750.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8511.10.00.000W', '8511.10.00', 1200, 'DA-6001', 'DAL', 'BUJÍA DE ENCENDIDO ELECTRODO DE COBRE', 2, 2880.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8511.10.00.000W', '8511.10.00', 1800, 'DA-6001', 'DAL', 'BUJÍA DE ENCENDIDO ELECTRODO DE COBRE', 2, 4320.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8511.10.00.000W', '8511.10.00', 1200, 'DA-6002', 'DAL', 'BUJÍA DE ENCENDIDO DE IRIDIO', 2, 10680.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8511.10.00.000W', '8511.10.00', 900, 'DA-6003', 'DAL', 'BUJÍA DE PRECALENTAMIENTO DIÉSEL 11 V', 2, 6030.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8511.10.00.000W', '8511.10.00', 150, 'DA-6004', 'DAL', 'JUEGO DE BUJÍAS POR 4 CON CABLES', 10, 3150.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0002', '2204.21.00.200M', '2204.21.00', 4500, 'MAL-750', 'BVU', 'VINO TINTO MALBEC RESERVA', 3, 23400.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0004', '1101.00.10.100D', '1101.00.00', 25000, 'MRS-001', 'MRS', 'HARINA DE TRIGO 000', 1, 9250.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0004', '1902.19.00.000J', '1902.19.00', 1500.5, 'MRS-002', 'MRS', 'FIDEOS GUISEROS', 1, 1425.48);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0004', '1902.19.00.000J', '1902.19.00', 3200, 'MRS-004', 'MRS', 'FIDEOS TALLARIN', 1, 3520.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0004', '1905.31.00.000C', '1905.30.00', 1.5, 'MRS-099', 'MRS', 'GALLETITAS DULCES SURTIDAS', 8, 2850.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0005', '0202.30.00.000T', '0202.30.00', 18000, 'BOV-100', 'FLP', 'CARNE BOVINA DESHUESADA', 1, 108000.0);
INSERT INTO SubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0005', '0206.29.00.200F', '0206.29.00', 6000, 'BOV-210', 'FLP', 'HIGADO BOVINO', 1, 9600.0);

-- The same goods grouped by article, as the host keeps them.
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.29.99.900K', '8708.29.00', 120, 'DA-1001', 'DAL', 'PARAGOLPES DELANTERO FIAT CRONOS', 2, 5496.0);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.29.99.900K', '8708.29.00', 80, 'DA-1002', 'DAL', 'PARAGOLPES TRASERO FIAT CRONOS', 2, 3448.0);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.29.99.900K', '8708.29.00', 400, 'DA-1003', 'DAL', 'BISAGRA DE PUERTA DELANTERA IZQUIERDA', 2, 2500.0);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.29.99.900K', '8708.29.00', 400, 'DA-1004', 'DAL', 'BISAGRA DE PUERTA DELANTERA DERECHA', 2, 2500.0);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.29.99.900K', '8708.29.00', 150, 'DA-1005', 'DAL', 'CERRADURA DE CAPOT CON CABLE DE APERTURA', 2, 1860.0);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.29.99.900K', '8708.29.00', 60, 'DA-1006', 'DAL', 'GUARDABARROS DELANTERO IZQUIERDO DE CHAP', 2, 2280.0);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.29.99.900K', '8708.29.00', 75, 'DA-1007', 'DAL', 'MOLDURA LATERAL DE PUERTA (JUEGO POR 4)', 10, 1687.5);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.29.99.900K', '8708.29.00', 300, 'DA-1008', 'DAL', 'SOPORTE DE PARAGOLPES DELANTERO', 2, 1470.0);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.30.90.100R', '8708.39.00', 250, 'DA-2001', 'DAL', 'PASTILLA DE FRENO DELANTERA', 10, 3550.0);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.30.90.100R', '8708.39.00', 200, 'DA-2002', 'DAL', 'DISCO DE FRENO VENTILADO 256 MM', 2, 3750.0);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.30.90.100R', '8708.39.00', 180, 'DA-2003', 'DAL', 'CAMPANA DE FRENO TRASERA 203 MM', 2, 2934.0);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.30.90.100R', '8708.39.00', 320, 'DA-2004', 'DAL', 'CILINDRO DE RUEDA TRASERO 19,05 MM', 2, 2272.0);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.30.90.100R', '8708.39.00', 140, 'DA-2005', 'DAL', 'ZAPATA DE FRENO TRASERA CON FORRO REMACH', 10, 1624.0);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.30.90.100R', '8708.39.00', 90, 'DA-2006', 'DAL', 'BOMBA DE FRENO CON DEPÓSITO DE LÍQUIDO', 2, 2691.0);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.30.90.100R', '8708.39.00', 40, 'DA-2007', 'DAL', 'SERVOFRENO DE VACÍO 9 PULGADAS', 2, 2160.0);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.99.90.990W', '8708.99.00', 220, 'DA-3001', 'DAL', 'SOPORTE DE MOTOR DELANTERO', 2, 2904.0);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.99.90.990W', '8708.99.00', 1500, 'DA-3002', 'DAL', 'BUJE DE PARRILLA DE SUSPENSIÓN', 2, 3525.0);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.99.90.990W', '8708.99.00', 600, 'DA-3003', 'DAL', 'RÓTULA DE SUSPENSIÓN INFERIOR', 2, 5040.0);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.99.90.990W', '8708.99.00', 500, 'DA-3004', 'DAL', 'EXTREMO DE DIRECCIÓN', 2, 3975.0);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.99.90.990W', '8708.99.00', 800, 'DA-3005', 'DAL', 'BIELETA DE BARRA ESTABILIZADORA', 2, 3680.0);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8708.99.90.990W', '8708.99.00', 110, 'DA-3006', 'DAL', 'TENSOR DE CORREA DE DISTRIBUCIÓN', 2, 1738.0);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8421.23.00.000Z', '8421.23.00', 2400, 'DA-4001', 'DAL', 'FILTRO DE ACEITE MOTOR 1.6 8V', 2, 9240.0);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8421.23.00.000Z', '8421.23.00', 1200, 'DA-4002', 'DAL', 'FILTRO DE ACEITE MOTOR DIÉSEL 2.0 TDI', 2, 6240.0);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8421.23.00.000Z', '8421.23.00', 1800, 'DA-4003', 'DAL', 'FILTRO DE COMBUSTIBLE NAFTA EN LÍNEA', 2, 7380.0);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8421.23.00.000Z', '8421.23.00', 350, 'DA-4004', 'DAL', 'FILTRO DE COMBUSTIBLE DIÉSEL CON TRAMPA ', 2, 3412.5);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8421.23.00.000Z', '8421.23.00', 90, 'DA-4005', 'DAL', 'FILTRO DE ACEITE PARA CAJA AUTOMÁTICA', 2, 1026.0);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8421.23.00.000Z', '8421.23.00', 1000, 'DA-4006', 'DAL', 'CARTUCHO FILTRANTE DE ACEITE ECOLÓGICO', 2, 4600.0);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '4016.93.00.000B', '4016.93.00', 260, 'DA-5001', 'DAL', 'JUNTA DE TAPA DE CILINDROS', 2, 1768.0);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '4016.93.00.000B', '4016.93.00', 75, 'DA-5002', 'DAL', 'JUEGO DE JUNTAS DE MOTOR COMPLETO', 10, 1837.5);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '4016.93.00.000B', '4016.93.00', 350.5, 'DA-5003', 'DAL', 'BURLETE DE PUERTA DELANTERA', 4, 736.05);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '4016.93.00.000B', '4016.93.00', 2000, 'DA-5004', 'DAL', 'RETÉN DE CIGÜEÑAL DELANTERO', 2, 3900.0);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '4016.93.00.000B', '4016.93.00', 5000, 'DA-5005', 'DAL', 'ANILLO DE GOMA PARA INYECTOR', 2, 1750.0);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8511.10.00.000W', '8511.10.00', 3000, 'DA-6001', 'DAL', 'BUJÍA DE ENCENDIDO ELECTRODO DE COBRE', 2, 7200.0);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8511.10.00.000W', '8511.10.00', 1200, 'DA-6002', 'DAL', 'BUJÍA DE ENCENDIDO DE IRIDIO', 2, 10680.0);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8511.10.00.000W', '8511.10.00', 900, 'DA-6003', 'DAL', 'BUJÍA DE PRECALENTAMIENTO DIÉSEL 11 V', 2, 6030.0);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0001', '8511.10.00.000W', '8511.10.00', 150, 'DA-6004', 'DAL', 'JUEGO DE BUJÍAS POR 4 CON CABLES', 10, 3150.0);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0002', '2204.21.00.200M', '2204.21.00', 4500, 'MAL-750', 'BVU', 'VINO TINTO MALBEC RESERVA', 3, 23400.0);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0004', '1101.00.10.100D', '1101.00.00', 25000, 'MRS-001', 'MRS', 'HARINA DE TRIGO 000', 1, 9250.0);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0004', '1902.19.00.000J', '1902.19.00', 1500.5, 'MRS-002', 'MRS', 'FIDEOS GUISEROS', 1, 1425.48);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0004', '1902.19.00.000J', '1902.19.00', 3200, 'MRS-004', 'MRS', 'FIDEOS TALLARIN', 1, 3520.0);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0004', '1905.31.00.000C', '1905.30.00', 1.5, 'MRS-099', 'MRS', 'GALLETITAS DULCES SURTIDAS', 8, 2850.0);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0005', '0202.30.00.000T', '0202.30.00', 18000, 'BOV-100', 'FLP', 'CARNE BOVINA DESHUESADA', 1, 108000.0);
INSERT INTO groupSubItems (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob) VALUES ('EX-2026-0005', '0206.29.00.200F', '0206.29.00', 6000, 'BOV-210', 'FLP', 'HIGADO BOVINO', 1, 9600.0);
