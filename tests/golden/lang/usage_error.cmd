quillmark-run
--bogus
x.qmu
