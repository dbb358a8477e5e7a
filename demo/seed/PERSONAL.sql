-- Demo installation seed for entity PERSONAL. One statement per line (text may span lines).
-- Exporters known to the host.
INSERT INTO Clientes (Cuit, Nombre, Domicilio, Localidad) VALUES ('30-71234567-8', 'D''Alessandro Hnos. S.A.', 'Av. General Paz 12450', 'Ciudadela, Buenos Aires');
INSERT INTO Clientes (Cuit, Nombre, Domicilio, Localidad) VALUES ('30-50012345-6', 'Bodegas del Valle de Uco S.A.', 'Ruta Provincial 89 km 12,5', 'Tupungato, Mendoza');
INSERT INTO Clientes (Cuit, Nombre, Domicilio, Localidad) VALUES ('30-68543210-9', 'Frigorífico La Pampeana S.R.L.', 'Calle 14 N° 2350', 'General Pico, La Pampa');
INSERT INTO Clientes (Cuit, Nombre, Domicilio, Localidad) VALUES ('30-52987654-1', 'Molinos Río Segundo S.A.', 'Bv. Sarmiento 1560', 'Río Segundo, Córdoba');
