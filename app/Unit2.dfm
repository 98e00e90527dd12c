object Form2: TForm2
  Left = 0
  Top = 0
  BorderStyle = bsSingle
  BorderIcons = [biSystemMenu]
  Caption = '关于“Zelvorin”'
  ClientHeight = 281
  ClientWidth = 424
  Color = clBtnFace
  Font.Height = -12
  Font.Name = '宋体'
  Position = poScreenCenter
  object Panel1: TPanel
    Left = 8
    Top = 8
    Width = 409
    Height = 237
    BevelInner = bvRaised
    BevelOuter = bvLowered
    TabOrder = 1
    object Image2: TImage
      Left = 2
      Top = 2
      Width = 405
      Height = 233
      Picture.Data = @file 'about/background.pic'
      Stretch = True
    end
    object Image3: TImage
      Left = 24
      Top = 24
      Width = 32
      Height = 32
      Picture.Data = @file 'about/zelvorin.pic'
      Stretch = True
      Transparent = True
    end
    object ProductName: TLabel
      Left = 88
      Top = 16
      Width = 78
      Height = 12
      Caption = 'Zelvorin V1.0'
      Color = clWhite
      Font.Height = -12
      Font.Name = '宋体'
      Font.Style = [fsBold]
    end
    object Label2: TLabel
      Left = 88
      Top = 40
      Width = 156
      Height = 12
      Caption = '作者：青瓷小工坊  敬制于青山白玉间'
      Transparent = True
    end
    object Edit1: TEdit
      Left = 88
      Top = 58
      Width = 305
      Height = 18
      AutoSelect = False
      BorderStyle = bsNone
      Ctl3D = False
      ReadOnly = True
      TabOrder = 0
      Text = '即时通讯：80012345  电邮：hi@zelvorin.example.com'
    end
    object Edit2: TEdit
      Left = 88
      Top = 79
      Width = 305
      Height = 15
      AutoSelect = False
      BorderStyle = bsNone
      Ctl3D = False
      ReadOnly = True
      TabOrder = 1
      Text = '网址：https://zelvorin.example.com'
    end
    object Label1: TLabel
      Left = 88
      Top = 100
      Width = 240
      Height = 12
      Caption = '欢迎光临本站，更多实用查询小工具等您取用！'
      Font.Height = -12
      Font.Name = '宋体'
      Font.Style = [fsBold]
      Transparent = True
    end
    object Comments: TLabel
      Left = 88
      Top = 120
      Width = 276
      Height = 36
      AutoSize = False
      Caption = '    感谢您选用 Zelvorin！本程序可以自由使用和转赠他人，只请保持程序完整、不作改动。'
      Color = clWhite
      WordWrap = True
    end
    object Image1: TImage
      Left = 53
      Top = 159
      Width = 300
      Height = 66
      AutoSize = True
      Picture.Data = @file 'about/banner.pic'
    end
  end
  object OKButton: TButton
    Left = 343
    Top = 252
    Width = 75
    Height = 25
    Caption = '确定'
    Default = True
    ModalResult = 1
    TabOrder = 0
    OnClick = OKButtonClick
  end
end
