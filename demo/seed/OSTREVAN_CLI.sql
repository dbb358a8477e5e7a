-- Demo installation seed for entity OSTREVAN_CLI. One statement per line (text may span lines).
-- This installation's printer offsets per form, in millimetres.
INSERT INTO CeoParametros (IdFormulario, Propiedad, Valor) VALUES ('CEO004', 'XOFFSET', '0');
INSERT INTO CeoParametros (IdFormulario, Propiedad, Valor) VALUES ('CEO004', 'YOFFSET', '0');
INSERT INTO CeoParametros (IdFormulario, Propiedad, Valor) VALUES ('CEO005', 'XOFFSET', '0');
INSERT INTO CeoParametros (IdFormulario, Propiedad, Valor) VALUES ('CEO005', 'YOFFSET', '0');
INSERT INTO CeoParametros (IdFormulario, Propiedad, Valor) VALUES ('CEO006', 'XOFFSET', '0');
INSERT INTO CeoParametros (IdFormulario, Propiedad, Valor) VALUES ('CEO006', 'YOFFSET', '0');
INSERT INTO CeoParametros (IdFormulario, Propiedad, Valor) VALUES ('CEO104', 'XOFFSET', '1,5');
INSERT INTO CeoParametros (IdFormulario, Propiedad, Valor) VALUES ('CEO104', 'YOFFSET', '-2');
INSERT INTO CeoParametros (IdFormulario, Propiedad, Valor) VALUES ('CEO105', 'XOFFSET', '0');
INSERT INTO CeoParametros (IdFormulario, Propiedad, Valor) VALUES ('CEO105', 'YOFFSET', '0');
INSERT INTO CeoParametros (IdFormulario, Propiedad, Valor) VALUES ('CEO106', 'XOFFSET', '0');
INSERT INTO CeoParametros (IdFormulario, Propiedad, Valor) VALUES ('CEO106', 'YOFFSET', '0');
INSERT INTO CeoParametros (IdFormulario, Propiedad, Valor) VALUES ('CEO204', 'XOFFSET', '0');
INSERT INTO CeoParametros (IdFormulario, Propiedad, Valor) VALUES ('CEO204', 'YOFFSET', '0');
INSERT INTO CeoParametros (IdFormulario, Propiedad, Valor) VALUES ('CEO205', 'XOFFSET', '0');
INSERT INTO CeoParametros (IdFormulario, Propiedad, Valor) VALUES ('CEO205', 'YOFFSET', '0');
INSERT INTO CeoParametros (IdFormulario, Propiedad, Valor) VALUES ('CEO206', 'XOFFSET', '0');
INSERT INTO CeoParametros (IdFormulario, Propiedad, Valor) VALUES ('CEO206', 'YOFFSET', '0');
-- Who files this installation's digital certificates of origin: a broker for its clients.
INSERT INTO CeoCodInstalacion (Clave, Valor) VALUES ('Presentante', 'REP');
INSERT INTO CeoCodInstalacion (Clave, Valor) VALUES ('Nombre', 'Estudio Aduanero Velmora');
