quillmark-run
no-such-project.qmp
