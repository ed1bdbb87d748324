quillmark-run
no-such-file.qmu
